// The interactive console, fed typed lines through a pipe.
#include <gtest/gtest.h>

#include "support/frames.h"
#include "support/way_in.h"
#include "support/windows.h"

namespace {

const char kHeld[] =
    "Device held: hd 1920x1080\n"
    "Commands: red green blue white black | <R> <G> <B>\n"
    "          size3 size10 sizefull | full | video | quit\n";
const char kReleased[] = "output disabled, device released.\n";

// The prompt and the line for a patch of `colour` shown in `window`.
std::string live(const std::string& colour, const PatchRect& window) {
  return "patch>   live: " + colour + "  window " + windowText(window) + "\n";
}

// Runs `corvane run 0 <mode>` with `typed` as input; returns the output.
std::string console(const SimSession& session, const std::string& typed, int* status,
                    const std::string& mode = "hd", const std::string& device = "0") {
  std::string out;
  *status = runCorvane(session.environment(), {"run", device, mode}, &out, typed);
  return out;
}

TEST(Console, ColoursRangesAndSizes) {
  SimSession session("[device]\nname = A\n");
  int status = -1;
  std::string out = console(session,
                            "red\n"
                            "full\nblack\n"
                            "video\nwhite\n"
                            "size3\nred\n"
                            "sizefull\ngreen\n"
                            "size10\nblue\n"
                            "legal\n",
                            &status);
  EXPECT_EQ(0, status);
  EXPECT_EQ(std::string(kHeld) + live("R=940 G=64 B=64", kHd10) +
                "patch> range: full (0-1023)\n" + live("R=0 G=0 B=0", kHd10) +
                "patch> range: video (64-940)\n" + live("R=940 G=940 B=940", kHd10) +
                "patch> patch: 3%\n" + live("R=940 G=64 B=64", kHd3) +
                "patch> patch: full\n" + live("R=64 G=940 B=64", kHdFull) +
                "patch> patch: 10%\n" + live("R=64 G=64 B=940", kHd10) +
                "patch> range: video (64-940)\n"
                "patch> " + kReleased,
            out);
  EXPECT_EQ("", session.audit());
}

TEST(Console, TypedNumbersAreSixteenBitAndUnchecked) {
  SimSession session("[device]\nname = A\n", true);
  int status = -1;
  std::string out = console(session,
                            "1023 0 0\n"
                            "2000 0 0\n"
                            "-1 0 0\n"
                            "70000 99999999999 -99999999999\n"
                            "1 2 3 trailing words\n"
                            "1,2,3\n",
                            &status);
  EXPECT_EQ(0, status);
  EXPECT_EQ(std::string(kHeld) + live("R=1023 G=0 B=0", kHd10) +
                live("R=2000 G=0 B=0", kHd10) + live("R=65535 G=0 B=0", kHd10) +
                live("R=4464 G=65535 B=0", kHd10) + live("R=1 G=2 B=3", kHd10) +
                "patch> unknown: 1,2,3\n"
                "patch> " + kReleased,
            out);
  // 2000 paints as 976 (its low 10 bits), -1 as 1023 and 4464 as 368; the
  // background is the video black level.
  std::vector<std::string> frames = session.frames();
  ASSERT_EQ(5u, frames.size());
  const uint32_t expectedRed[] = {1023, 976, 1023, 368, 1};
  for (size_t i = 0; i < 5; ++i) {
    FrameFile frame(frames[i]);
    ASSERT_TRUE(frame.ok());
    EXPECT_EQ(expectedRed[i], frame.word(960, 540) >> 20) << i;
    EXPECT_EQ(0x04010040u, frame.word(0, 0));  // the video black background
  }
}

TEST(Console, AlignmentAndTextHandling) {
  SimSession session("[device]\nname = A\n");
  int status = -1;
  std::string out = console(session,
                            "size3\nalign\n"
                            "\t  full\r\n"
                            "align\n"
                            "\n   \n"
                            "Red\n"
                            "qq\n"
                            "quit \n"
                            "  \tq\n"
                            "red\n",
                            &status, "uhd");
  EXPECT_EQ(0, status);
  EXPECT_EQ(
      "Device held: uhd 3840x2160\n"
      "Commands: red green blue white black | <R> <G> <B>\n"
      "          size3 size10 sizefull | full | video | quit\n"
      "patch> patch: 3%\n"
      "patch>   alignment: crosshair, 3% box 665x374, 10% box 1214x683\n"
      "patch> range: full (0-1023)\n"
      "patch>   alignment: crosshair, 3% box 665x374, 10% box 1214x683\n"
      "patch> patch> patch> unknown: Red\n"
      "patch> unknown: qq\n"
      "patch> unknown: quit \n"
      "patch> " +
          std::string(kReleased),
      out);
  EXPECT_EQ("", session.audit());
}

TEST(Console, AlignmentLevelsFollowTheRange) {
  SimSession session("[device]\nname = A\n", true);
  int status = -1;
  console(session, "align\nfull\nalign\nexit\n", &status);
  EXPECT_EQ(0, status);
  std::vector<std::string> frames = session.frames();
  ASSERT_EQ(2u, frames.size());
  const uint32_t expected[2][3] = {{64, 545, 721}, {0, 562, 767}};
  for (int i = 0; i < 2; ++i) {
    FrameFile frame(frames[i]);
    ASSERT_TRUE(frame.ok());
    auto blueAt = [&](int column, int row) { return frame.word(column, row) & 0x3FFu; };
    EXPECT_EQ(expected[i][0], blueAt(10, 10)) << i;
    EXPECT_EQ(expected[i][1], blueAt(700, 369)) << i;  // outer box top band
    EXPECT_EQ(expected[i][2], blueAt(10, 540)) << i;   // crosshair
  }
}

TEST(Console, LongLinesArriveInPiecesOf127Bytes) {
  SimSession session("[device]\nname = A\n");
  int status = -1;
  std::string out = console(session, std::string(127, 'x') + "red\n", &status);
  EXPECT_EQ(std::string(kHeld) + "patch> unknown: " + std::string(127, 'x') + "\n" +
                live("R=940 G=64 B=64", kHd10) + "patch> " + kReleased,
            out);
}

}  // namespace
