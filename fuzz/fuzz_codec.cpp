// The key readers and jsonEscape on any bytes. The first byte picks the key
// (one of the protocol's, or one taken from the input); the rest is the
// request line.
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "serve/json_codec.h"
#include "support/json_check.h"

namespace {

const char* const kKeys[] = {"r", "g", "b", "bg_r", "bg_g", "bg_b", "area", "device",
                             "mode", "bg", "line", "cross", "a1", "a2"};

void check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
  }
}

// The integer the reader must find: the digits after the first colon after
// the first quoted key, clamped to int.
bool referenceInt(const std::string& line, const std::string& key, int* value) {
  std::string pattern = "\"" + key + "\"";
  if (pattern.size() > 31) return false;
  size_t at = line.find(pattern);
  if (at == std::string::npos) return false;
  size_t colon = line.find(':', at + pattern.size());
  if (colon == std::string::npos) return false;
  size_t i = colon + 1;
  while (i < line.size() && std::strchr(" \t\n\v\f\r", line[i]) != nullptr && line[i]) ++i;
  bool negative = i < line.size() && line[i] == '-';
  if (i < line.size() && (line[i] == '-' || line[i] == '+')) ++i;
  if (i >= line.size() || line[i] < '0' || line[i] > '9') return false;
  long long magnitude = 0;
  for (; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i) {
    magnitude = std::min<long long>(magnitude * 10 + (line[i] - '0'), 1LL << 40);
  }
  long long signedValue = negative ? -magnitude : magnitude;
  *value = static_cast<int>(std::max<long long>(INT_MIN, std::min<long long>(INT_MAX, signedValue)));
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  std::string rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  std::string key;
  const size_t keyCount = sizeof kKeys / sizeof kKeys[0];
  if (data[0] < keyCount) {
    key = kKeys[data[0]];
  } else {
    // A key of the input's own, up to the first NUL or newline.
    key = rest.substr(0, std::min<size_t>(rest.find_first_of(std::string("\n\0", 2)), 40));
  }
  // The readers see a C string: the line ends at its first NUL.
  std::string line = rest.substr(0, rest.find('\0'));

  int value = 12345;
  int expected = 12345;
  bool found = jsonInt(line.c_str(), key.c_str(), &value);
  bool expectedFound = key.find('\0') == std::string::npos && referenceInt(line, key, &expected);
  check(found == expectedFound, "jsonInt finds the number exactly when it is there");
  check(value == (found ? expected : 12345), "jsonInt value, or the default left alone");

  char buffer[16];
  std::memset(buffer, 'Z', sizeof buffer);
  buffer[0] = 'h';
  buffer[1] = 'd';
  buffer[2] = '\0';
  jsonStr(line.c_str(), key.c_str(), buffer, sizeof buffer);
  size_t length = strnlen(buffer, sizeof buffer);
  check(length < sizeof buffer, "jsonStr always ends its copy inside the buffer");
  check(std::memchr(buffer, '"', length) == nullptr, "jsonStr never copies a quote");

  std::string escaped = jsonEscape(rest);
  for (unsigned char c : escaped) check(c >= 0x20, "jsonEscape leaves no control byte");
  // Every quote and backslash in the output belongs to an escape.
  for (size_t i = 0; i < escaped.size(); ++i) {
    if (escaped[i] == '\\') {
      check(i + 1 < escaped.size() && std::strchr("n\"\\", escaped[i + 1]) != nullptr,
            "jsonEscape writes only its three escapes");
      ++i;
    } else {
      check(escaped[i] != '"', "jsonEscape leaves no bare quote");
    }
  }
  // Text that is valid UTF-8 escapes to a valid JSON string. The checker
  // judges the UTF-8 of the text once the bytes JSON treats specially are
  // replaced by a plain letter (removing them could join bytes that were not
  // together).
  std::string plain;
  for (char c : rest) {
    bool special = static_cast<unsigned char>(c) < 0x20 || c == '"' || c == '\\';
    plain += special ? 'a' : c;
  }
  if (isOneJsonObject("{\"k\":\"" + plain + "\"}")) {
    check(isOneJsonObject("{\"k\":\"" + escaped + "\"}"), "escaped UTF-8 is a valid string");
  }
  return 0;
}
