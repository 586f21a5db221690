// Reading decimal numbers from typed text, one after another.
#include <gtest/gtest.h>

#include "io/decimal_int.h"

namespace {

TEST(DecimalInt, MovesPastWhatItRead) {
  const char* text = "  12 -3x";
  int value = 0;
  ASSERT_TRUE(readDecimalInt(&text, &value));
  EXPECT_EQ(12, value);
  ASSERT_TRUE(readDecimalInt(&text, &value));
  EXPECT_EQ(-3, value);
  EXPECT_STREQ("x", text);
  EXPECT_FALSE(readDecimalInt(&text, &value));
  EXPECT_STREQ("x", text);
  EXPECT_EQ(-3, value);
}

}  // namespace
