// The interactive console, fed typed lines through a pipe: colours, sizes,
// ranges, the alignment frame and HDR signalling, and what the card showed.
#include <gtest/gtest.h>

#include "support/frame_checks.h"
#include "support/frames.h"
#include "support/hdr10_metadata.h"
#include "support/way_in.h"
#include "support/windows.h"

namespace {

const char kCard[] = "[device]\nname = A\n";
const char kReleased[] = "patch> output disabled, device released.\n";

// What the console says once it holds the card at `mode`.
std::string held(const std::string& mode) {
  return "Device held: " + mode +
         "\n"
         "Commands: red green blue white black | <R> <G> <B>\n"
         "          size3 size10 sizefull | full | video (or legal) | align\n"
         "          hdr pq|hlg|sdr [<setting> <value>]... | sdr | hdr | status | help | quit (q, exit)\n"
         "          pattern <name> [caption], in the range: pluge black-clipping white-clipping ramp\n"
         "            bars75 bars100 checkerboard window1 window2 window5 window10 window18 window25\n";
}

// The prompt and the line for a patch of `colour` shown in `window`.
std::string live(const std::string& colour, const PatchRect& window) {
  return "patch>   live: " + colour + "  window " + windowText(window) + "\n";
}

// Runs `corvane run 0 <mode>` with `typed` as input, which ends it with
// status 0; returns the output.
std::string console(const SimSession& session, const std::string& typed,
                    const std::string& mode = "hd") {
  std::string out;
  EXPECT_EQ(0, runCorvane(session.environment(), {"run", "0", mode}, &out, typed));
  return out;
}

TEST(Console, ColoursRangesAndSizes) {
  SimSession session(kCard);
  const std::string out = console(
      session, "red\nfull\nblack\nvideo\nwhite\nsize3\nred\nsizefull\ngreen\nsize10\nblue\n"
               "legal\n");
  EXPECT_EQ(held("hd 1920x1080") + live("R=940 G=64 B=64", kHd10) +
                "patch> range: full (0-1023)\n" + live("R=0 G=0 B=0", kHd10) +
                "patch> range: video (64-940)\n" + live("R=940 G=940 B=940", kHd10) +
                "patch> patch: 3%\n" + live("R=940 G=64 B=64", kHd3) +
                "patch> patch: full\n" + live("R=64 G=940 B=64", kHdFull) +
                "patch> patch: 10%\n" + live("R=64 G=64 B=940", kHd10) +
                "patch> range: video (64-940)\n" + kReleased,
            out);
  EXPECT_EQ("", session.audit());
}

TEST(Console, TypedNumbersAreSixteenBitAndUnchecked) {
  SimSession session(kCard, true);
  const std::string out = console(session,
                                  "1023 0 0\n2000 0 0\n-1 0 0\n70000 99999999999 -99999999999\n"
                                  "1 2 3 trailing words\n1,2,3\n");
  EXPECT_EQ(held("hd 1920x1080") + live("R=1023 G=0 B=0", kHd10) +
                live("R=2000 G=0 B=0", kHd10) + live("R=65535 G=0 B=0", kHd10) +
                live("R=4464 G=65535 B=0", kHd10) + live("R=1 G=2 B=3", kHd10) +
                "patch> unknown: 1,2,3\n" + kReleased,
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
  SimSession session(kCard);
  const std::string out = console(
      session, "size3\nalign\n\t  full\r\nalign\n\n   \nRed\nhelp\nqq\nquit \n  \tq\nred\n", "uhd");
  EXPECT_EQ(held("uhd 3840x2160") +
                "patch> patch: 3%\n"
                "patch>   alignment: crosshair, 3% box 665x374, 10% box 1214x683\n"
                "patch> range: full (0-1023)\n"
                "patch>   alignment: crosshair, 3% box 665x374, 10% box 1214x683\n"
                "patch> patch> patch> unknown: Red\n"
                "patch> Commands: red green blue white black | <R> <G> <B>\n"
                "          size3 size10 sizefull | full | video (or legal) | align\n"
                "          hdr pq|hlg|sdr [<setting> <value>]... | sdr | hdr | status | help | quit (q, exit)\n"
         "          pattern <name> [caption], in the range: pluge black-clipping white-clipping ramp\n"
         "            bars75 bars100 checkerboard window1 window2 window5 window10 window18 window25\n"
                "patch> unknown: qq\n"
                "patch> unknown: quit \n" +
                kReleased,
            out);
  EXPECT_EQ("", session.audit());
}

TEST(Console, AlignmentLevelsFollowTheRange) {
  SimSession session(kCard, true);
  console(session, "align\nfull\nalign\nexit\n");
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

// A pattern in the console's range, its caption, and a name it does not know.
TEST(Console, PatternsInTheRange) {
  SimSession session(kCard, true);
  EXPECT_EQ(held("hd 1920x1080") + "patch>   pattern: pluge, video range\n"
                "patch> range: full (0-1023)\n"
                "patch>   pattern: window10, full range\n"
                "patch>   pattern not shown: unknown pattern: bars; the patterns are pluge "
                "black-clipping white-clipping ramp bars75 bars100 checkerboard window1 window2 "
                "window5 window10 window18 window25 (bad_request)\n" +
                kReleased,
            console(session, "pattern pluge\nfull\npattern window10 caption\npattern bars\n"));
  const std::vector<std::string> frames = session.frames();
  ASSERT_EQ(2u, frames.size());
  EXPECT_EQ(r210Gray(48), FrameFile(frames[0]).word(600, 540));
  // The window on its gray, and the caption in the peak code at the top left.
  EXPECT_LT(500, expectPatchAndTextFrame(FrameFile(frames[1]).frame(), kHd10, r210Gray(1023),
                                         r210Gray(171), {40, 20, 460, 50}, r210Gray(1023)));
}

TEST(Console, LongLinesArriveInPiecesOf127Bytes) {
  SimSession session(kCard);
  std::string out = console(session, std::string(127, 'x') + "red\n");
  EXPECT_EQ(held("hd 1920x1080") + "patch> unknown: " + std::string(127, 'x') + "\n" +
                live("R=940 G=64 B=64", kHd10) + kReleased,
            out);
}

TEST(ConsoleHdr, OnChangedAndOffShowTheSamePictureAgain) {
  SimSession session(kCard, true);
  EXPECT_EQ(held("uhd@50 3840x2160") +
                "patch> device: A at uhd@50 3840x2160\nsignalling: sdr colorspace rec709\n"
                "picture: none\nframes shown: 0\n"
                "patch>   live: R=940 G=940 B=940  window " +
                windowText(kUhd10) + "\n"
                "patch> signalling: sdr colorspace rec709\n"
                "patch> signalling: pq colorspace rec2020 primaries rec2020 max-luminance 1000 "
                "min-luminance 0.0001 max-cll 1000 max-fall 400\n"
                "patch> device: A at uhd@50 3840x2160\nsignalling: pq colorspace rec2020 "
                "primaries rec2020 max-luminance 1000 min-luminance 0.0001 max-cll 1000 max-fall "
                "400\npicture: patch 940 940 940 window 1214x683 at (1313,738) on 64 64 64\n"
                "frames shown: 2\n"
                "patch> signalling: pq colorspace rec2020 primaries p3d65 max-luminance 4000 "
                "min-luminance 0.0050 max-cll 1000 max-fall 400\n"
                "patch> signalling: hlg colorspace rec2020\n"
                "patch> signalling: hlg colorspace rec2020\n"
                "patch> signalling: sdr colorspace rec709\n" +
                kReleased,
            console(session,
                    "status\nwhite\nhdr\nhdr pq\nstatus\n"
                    "hdr pq primaries p3d65 max-luminance 4000 min-luminance 0.005\n"
                    "hdr hlg\nhdr\nsdr\n",
                    "uhd@50"));
  EXPECT_EQ("", session.audit());
  const std::vector<std::string> frames = session.frames();
  ASSERT_EQ(5u, frames.size());
  EXPECT_EQ(CarriedMetadata(), frameFileMetadata(frames[0]));
  EXPECT_EQ(hdr10Rec2020(), frameFileMetadata(frames[1]));
  EXPECT_EQ(hdr10P3({4000, 0.005, 1000, 400}), frameFileMetadata(frames[2]));
  EXPECT_EQ((CarriedMetadata{0x2, {{"cspc", 0x32303230}, {"eotf", 3}}}),
            frameFileMetadata(frames[3]));
  EXPECT_EQ(CarriedMetadata(), frameFileMetadata(frames[4]));
  for (const std::string& frame : frames) {
    FrameFile pixels(frame);
    ASSERT_TRUE(pixels.ok());
    EXPECT_EQ((940u << 20) | (940u << 10) | 940u, pixels.word(1920, 1080)) << frame;
  }
}

TEST(ConsoleHdr, RefusalsSayWhyAndChangeNothing) {
  SimSession session(std::string(kCard) + "hdr = pq\n", true);
  EXPECT_EQ(held("uhd@50 3840x2160") +
                "patch>   signalling not changed: device cannot output HLG (unsupported)\n"
                "patch>   signalling not changed: expected sdr, pq or hlg, not 'PQ' "
                "(bad_request)\n"
                "patch>   signalling not changed: cannot read min-luminance '0.00001' "
                "(bad_request)\n"
                "patch>   signalling not changed: max-fall needs a value (bad_request)\n"
                "patch> unknown: hdrpq\n"
                "patch> unknown: sdr pq\n"
                "patch> signalling: sdr colorspace rec709\n" +
                kReleased,
            console(session,
                    "hdr hlg\nhdr PQ\nhdr pq min-luminance 0.00001\nhdr pq max-fall\n"
                    "hdrpq\nsdr pq\nhdr\n",
                    "uhd@50"));
  EXPECT_EQ(0u, session.countLogLines("Metadata"));
  EXPECT_TRUE(session.frames().empty());
  EXPECT_EQ("", session.audit());
}

}  // namespace
