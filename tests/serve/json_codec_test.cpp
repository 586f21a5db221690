// The codec of the serve protocol: reading keys from a request line,
// escaping text, and writing whole answer lines.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "serve/json_codec.h"

namespace {

int readInt(const char* line, const char* key, int initial, bool* found = nullptr) {
  int value = initial;
  bool result = jsonInt(line, key, &value);
  if (found != nullptr) *found = result;
  return value;
}

TEST(JsonInt, ReadsNumbersAfterTheKeysColon) {
  EXPECT_EQ(5, readInt("{\"r\" : 5}", "r", 0));
  EXPECT_EQ(-3, readInt("{\"r\":-3}", "r", 0));
  EXPECT_EQ(7, readInt("{\"r\":+7}", "r", 0));
  EXPECT_EQ(12, readInt("{\"r\":12.9}", "r", 0));
  EXPECT_EQ(1, readInt("{\"r\":1e3}", "r", 0));
  EXPECT_EQ(9, readInt("{\"r\":\t\n 9}", "r", 0));
  // No colon of its own: the value after the next colon is read.
  EXPECT_EQ(7, readInt("{\"r\",\"g\":7}", "r", 0));
  // Only the first occurrence counts, even as another key's value.
  EXPECT_EQ(1, readInt("{\"a\":\"b\",\"c\":1,\"b\":2}", "b", 0));
}

TEST(JsonInt, LeavesTheDefaultWhenNothingConverts) {
  const char* lines[] = {"{\"g\":1}",   "{\"b\":\"5\"}", "{\"b\":true}", "{\"b\":null}",
                         "{\"b\":}",    "{\"b\"",        "{\"b\":-}",    "{\"b\": +x}",
                         "{\"B\":5}",   "{b:5}",         ""};
  for (const char* line : lines) {
    bool found = true;
    EXPECT_EQ(42, readInt(line, "b", 42, &found)) << line;
    EXPECT_FALSE(found) << line;
  }
  // A key too long for the pattern buffer is never found.
  std::string key(30, 'k');
  std::string line = "{\"" + key + "\":1}";
  EXPECT_EQ(42, readInt(line.c_str(), key.c_str(), 42));
  std::string fits(29, 'k');
  line = "{\"" + fits + "\":1}";
  EXPECT_EQ(1, readInt(line.c_str(), fits.c_str(), 42));
}

TEST(JsonInt, SaturatesBeyondTheRangeOfInt) {
  EXPECT_EQ(INT_MAX, readInt("{\"r\":2147483647}", "r", 0));
  EXPECT_EQ(INT_MAX, readInt("{\"r\":2147483648}", "r", 0));
  EXPECT_EQ(INT_MAX, readInt("{\"r\":4294967296}", "r", 0));
  EXPECT_EQ(INT_MAX, readInt("{\"r\":99999999999999999999999999999999999999}", "r", 0));
  EXPECT_EQ(INT_MIN, readInt("{\"r\":-2147483648}", "r", 0));
  EXPECT_EQ(INT_MIN, readInt("{\"r\":-2147483649}", "r", 0));
  EXPECT_EQ(INT_MIN, readInt("{\"r\":-99999999999999999999999999999999999999}", "r", 0));
  EXPECT_EQ(0, readInt("{\"r\":-0000000000000000000000000000000000000000}", "r", 5));
  EXPECT_EQ(1023, readInt("{\"r\":00000000000000000000000000000000000001023}", "r", 5));
}

std::string readStr(const char* line, size_t size = 16) {
  char buffer[64] = "hd";
  jsonStr(line, "mode", buffer, size);
  return buffer;
}

TEST(JsonStr, CopiesUpToTheNextQuote) {
  EXPECT_EQ("uhd", readStr("{\"mode\":\"uhd\"}"));
  EXPECT_EQ("4k ", readStr("{\"mode\" : \" 4k \"}"));
  EXPECT_EQ("", readStr("{\"mode\":"));
  EXPECT_EQ("", readStr("{\"mode\":  \"\"\" "));
  EXPECT_EQ("hd", readStr("{\"mod\":\"uhd\"}"));
  EXPECT_EQ("hd", readStr("{\"mode\" \"uhd\"}"));
  // Tabs are not skipped, and the copy stops at the quote after one; an
  // unquoted value runs to the next quote or the end.
  EXPECT_EQ("\t", readStr("{\"mode\":\t\"uhd\"}"));
  EXPECT_EQ("4k}\n", readStr("{\"mode\":4k}\n"));
  EXPECT_EQ("4k,", readStr("{\"mode\":4k,\"x\":1}"));
}

TEST(JsonStr, KeepsAtMostSizeMinusOneBytes) {
  EXPECT_EQ("abcdefghijklmno", readStr("{\"mode\":\"abcdefghijklmnopqrst\"}"));
  EXPECT_EQ("a", readStr("{\"mode\":\"abc\"}", 2));
  EXPECT_EQ("", readStr("{\"mode\":\"abc\"}", 1));
  EXPECT_EQ("hd", readStr("{\"mode\":\"abc\"}", 0));
}

TEST(JsonEscape, EscapesDropsAndPassesBytes) {
  EXPECT_EQ("ab\\n", jsonEscape("a\tb\r\n"));
  EXPECT_EQ("say \\\"hi\\\" \\\\ there", jsonEscape("say \"hi\" \\ there"));
  EXPECT_EQ("caf\xC3\xA9 \x7F\xFF", jsonEscape("caf\xC3\xA9 \x7F\xFF"));
  EXPECT_EQ("", jsonEscape(""));
  std::string controls;
  for (int c = 1; c < 0x20; ++c) controls += static_cast<char>(c);
  controls += '\0';
  EXPECT_EQ("\\n", jsonEscape(controls));
}

TEST(Emit, WritesOneLineAndFlushes) {
  ::testing::internal::CaptureStdout();
  emit("{\"ok\":true}");
  emit(errorLine(failure(FailureCode::kNotOpen, "no device is open")));
  emit(errorLine(failure(FailureCode::kFailed, "line\nfeed \"quoted\"")));
  EXPECT_EQ(
      "{\"ok\":true}\n"
      "{\"ok\":false,\"code\":\"not_open\",\"error\":\"no device is open\"}\n"
      "{\"ok\":false,\"code\":\"failed\",\"error\":\"line\\nfeed \\\"quoted\\\"\"}\n",
      ::testing::internal::GetCapturedStdout());
}

}  // namespace
