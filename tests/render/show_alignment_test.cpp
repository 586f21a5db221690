// The alignment frame: every pixel at each mode, and the lines' positions.
#include "decklink/device_hold.h"
#include "render/pixel_word.h"
#include "render/show_alignment.h"
#include "support/frame_checks.h"
#include "support/held_device_test.h"

namespace {

const char kCard[] = "[capture]\nmemory = yes\n[device]\nname = A\n";

class ShowAlignmentTest : public HeldDeviceTest {
 protected:
  void openAt(const char* modeName, const std::string& extra = "") {
    configureAndOpen(kCard + extra, modeName);
  }

  // Shows the pattern and compares every pixel with the pattern's rule, for
  // lines `thickness` wide.
  void expectPattern(int thickness, uint16_t bg, uint16_t line, uint16_t cross,
                     double innerArea, double outerArea) {
    PatchRect inner, outer;
    ASSERT_EQ("", showAlignment(bg, line, cross, innerArea, outerArea, &inner, &outer).text());
    CapturedFrame frame = lastFrame();
    ASSERT_EQ(gMode->width, frame.width);
    expectAlignmentFrame(frame.frame, inner, outer, thickness,
                         {r210Gray(bg), r210Gray(line), r210Gray(cross)});
  }
};

TEST_F(ShowAlignmentTest, EveryPixelFollowsTheRuleAtEveryMode) {
  // Lines are 2 pixels wide at 1080 rows and 4 at 2160.
  const struct {
    const char* name;
    int thickness;
  } modes[] = {{"hd", 2}, {"uhd", 4}, {"4k", 4}};
  for (const auto& mode : modes) {
    SCOPED_TRACE(mode.name);
    openAt(mode.name);
    const int t = mode.thickness;
    expectPattern(t, 64, 546, 721, 3, 10);
    expectPattern(t, 0, 1023, 512, 10, 10);   // equal boxes coincide
    expectPattern(t, 5, 6, 7, 100, 0);        // border and a plus sign under the cross
    expectPattern(t, 1024, 2000, 65535, 20, 5);  // masked levels, inner larger
  }
}

TEST_F(ShowAlignmentTest, LinePositionsAtThreeAndTenPercent) {
  const struct {
    const char* mode;
    int outerTop[2], outerBottom[2], outerLeft[2], outerRight[2];
    int innerTop[2], innerBottom[2], innerLeft[2], innerRight[2];
    int crossRows[2], crossColumns[2];
  } table[] = {
      {"hd", {369, 370}, {709, 710}, {656, 657}, {1261, 1262}, {446, 447}, {631, 632},
       {793, 794}, {1124, 1125}, {539, 540}, {959, 960}},
      {"uhd", {738, 741}, {1417, 1420}, {1313, 1316}, {2523, 2526}, {893, 896}, {1263, 1266},
       {1587, 1590}, {2248, 2251}, {1078, 1081}, {1918, 1921}},
      {"4k", {738, 741}, {1417, 1420}, {1400, 1403}, {2691, 2694}, {893, 896}, {1263, 1266},
       {1693, 1696}, {2398, 2401}, {1078, 1081}, {2046, 2049}},
  };
  const uint32_t bg = grayWord(64), line = grayWord(546), cross = grayWord(721);
  for (const auto& m : table) {
    SCOPED_TRACE(m.mode);
    openAt(m.mode);
    PatchRect inner, outer;
    ASSERT_EQ("", showAlignment(64, 546, 721, 3, 10, &inner, &outer).text());
    CapturedFrame f = lastFrame();
    // A column of the outer box away from the crosshair, rows across its top
    // and bottom bands, and one pixel either side.
    const int probeColumn = outer.x + outer.w / 4;
    const int probeRow = outer.y + outer.h / 4;
    auto rowsAre = [&](const int (&rows)[2], int column) {
      EXPECT_EQ(bg, f.word(column, rows[0] - 1)) << rows[0];
      for (int r = rows[0]; r <= rows[1]; ++r) EXPECT_EQ(line, f.word(column, r)) << r;
      EXPECT_EQ(bg, f.word(column, rows[1] + 1)) << rows[1];
    };
    auto columnsAre = [&](const int (&columns)[2], int row) {
      EXPECT_EQ(bg, f.word(columns[0] - 1, row)) << columns[0];
      for (int c = columns[0]; c <= columns[1]; ++c) EXPECT_EQ(line, f.word(c, row)) << c;
      EXPECT_EQ(bg, f.word(columns[1] + 1, row)) << columns[1];
    };
    rowsAre(m.outerTop, probeColumn);
    rowsAre(m.outerBottom, probeColumn);
    columnsAre(m.outerLeft, probeRow);
    columnsAre(m.outerRight, probeRow);
    const int innerColumn = inner.x + inner.w / 4;
    const int innerRow = inner.y + inner.h / 4;
    rowsAre(m.innerTop, innerColumn);
    rowsAre(m.innerBottom, innerColumn);
    columnsAre(m.innerLeft, innerRow);
    columnsAre(m.innerRight, innerRow);
    for (int column : {0, f.width / 3, f.width - 1}) {
      EXPECT_EQ(bg, f.word(column, m.crossRows[0] - 1));
      for (int r = m.crossRows[0]; r <= m.crossRows[1]; ++r) EXPECT_EQ(cross, f.word(column, r));
      EXPECT_EQ(bg, f.word(column, m.crossRows[1] + 1));
    }
    for (int row : {0, f.height / 3, f.height - 1}) {
      EXPECT_EQ(bg, f.word(m.crossColumns[0] - 1, row));
      for (int c = m.crossColumns[0]; c <= m.crossColumns[1]; ++c) {
        EXPECT_EQ(cross, f.word(c, row));
      }
      EXPECT_EQ(bg, f.word(m.crossColumns[1] + 1, row));
    }
  }
}

TEST_F(ShowAlignmentTest, CrosshairLiesOverTheBoxLine) {
  openAt("hd");
  PatchRect inner, outer;
  ASSERT_EQ("", showAlignment(64, 546, 721, 3, 10, &inner, &outer).text());
  EXPECT_EQ(grayWord(721), lastFrame().word(656, 539));
}

TEST_F(ShowAlignmentTest, ReportsRectanglesInArgumentOrder) {
  openAt("hd");
  PatchRect inner, outer;
  ASSERT_EQ("", showAlignment(64, 546, 721, 20, 5, &inner, &outer).text());
  EXPECT_EQ(859, inner.w);
  EXPECT_EQ(483, inner.h);
  EXPECT_EQ(429, outer.w);
  EXPECT_EQ(241, outer.h);
}

TEST_F(ShowAlignmentTest, NothingHeldAndFailures) {
  configure(kCard);
  PatchRect inner{1, 1, 1, 1}, outer{2, 2, 2, 2};
  EXPECT_EQ("no device is open (not_open)", showAlignment(64, 546, 721, 3, 10, &inner, &outer).text());
  EXPECT_EQ(1, inner.w);
  EXPECT_EQ(2, outer.w);
  EXPECT_TRUE(logLines().empty());

  openAt("hd", "display = E_FAIL\n");
  EXPECT_EQ("DisplayVideoFrameSync failed (failed)", showAlignment(64, 546, 721, 3, 10, &inner, &outer).text());
  EXPECT_EQ(333, inner.w);
  EXPECT_EQ(607, outer.w);

  // Pixels that cannot be written are never displayed.
  openAt("hd", "buffer = no\n");
  inner = outer = PatchRect{};
  EXPECT_EQ("could not write to the frame (failed)", showAlignment(64, 546, 721, 3, 10, &inner, &outer).text());
  EXPECT_EQ(0, decklink_sim_displayed_count());
  EXPECT_EQ(0, inner.w);  // nothing was painted
  EXPECT_EQ(0, outer.w);
}

}  // namespace
