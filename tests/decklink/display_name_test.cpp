// Cutting a device's name to the bytes the program keeps, and taking the
// driver's strings.
#include <gtest/gtest.h>

#include "decklink/display_name.h"

namespace {

TEST(Utf8PrefixLength, NeverSplitsACharacter) {
  const char text[] = "ab\xF0\x9F\x98\x80" "cd";  // a four-byte character at 2..5
  // The longest prefix of at most `limit` bytes, for limits 0 to 8.
  const size_t expected[] = {0, 1, 2, 2, 2, 2, 6, 7, 8};
  for (size_t limit = 0; limit <= 8; ++limit) {
    EXPECT_EQ(expected[limit], utf8PrefixLength(text, 8, limit)) << limit;
  }
  // Text that is not UTF-8 is cut at the limit rather than emptied.
  const char junk[] = "\x80\x80\x80\x80\x80\x80";
  EXPECT_EQ(3u, utf8PrefixLength(junk, 6, 3));
}

// The platform's strings themselves are handed out by the simulated card
// and taken back in tests/sim/interfaces/device_names_test.cpp.
TEST(TakeDeckLinkString, ANullStringIsEmptyText) { EXPECT_EQ("", takeDeckLinkString(nullptr)); }

}  // namespace
