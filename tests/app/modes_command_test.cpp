// `corvane modes <device>`, run as a child process.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/way_in.h"

namespace {

using ::testing::HasSubstr;

TEST(ModesCommand, PrintsTheTableByteForByte) {
  SimSession session(
      "[device]\nname = Any\n"
      "[device]\nname = DeckLink Duo 2\nmodes = hd@* uhd@23.98 uhd 4k@59.94\n");
  std::string out;
  EXPECT_EQ(0, runCorvane(session.environment(), {"modes", "1"}, &out));
  EXPECT_EQ(
      "device 1: DeckLink Duo 2\n"
      "\n"
      "rate    HD    UHD   4K   \n"
      "----    --    ---   --   \n"
      "23.98   yes   yes   NO   \n"
      "24      yes   yes   NO   \n"
      "25      yes   NO    NO   \n"
      "29.97   yes   NO    NO   \n"
      "30      yes   NO    NO   \n"
      "50      yes   NO    NO   \n"
      "59.94   yes   NO    yes  \n"
      "60      yes   NO    NO   \n"
      "\n"
      "(HD/UHD/4K = 10-bit RGB 4:4:4 supported at that resolution and rate;\n"
      " a mode is named hd@59.94, uhd@50, 4k@23.98 ...; hd, uhd and 4k alone are 24)\n",
      out);
  // Text that is not a number is device 0, as for run.
  EXPECT_EQ(0, runCorvane(session.environment(), {"modes", "first"}, &out));
  EXPECT_THAT(out, HasSubstr("device 0: Any\n"));
  EXPECT_EQ("", session.audit());
}

}  // namespace
