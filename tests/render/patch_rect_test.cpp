// The patch rectangle for a share of the frame at each mode.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "decklink/output_mode.h"
#include "render/patch_rect.h"

namespace {

void expectRect(const PatchRect& expected, const PatchRect& actual, const char* what) {
  EXPECT_EQ(expected.x, actual.x) << what;
  EXPECT_EQ(expected.y, actual.y) << what;
  EXPECT_EQ(expected.w, actual.w) << what;
  EXPECT_EQ(expected.h, actual.h) << what;
}

TEST(PatchRect, TableAtAllThreeModes) {
  const struct {
    double area;
    PatchRect rects[3];
  } table[] = {
      {1, {{864, 486, 192, 108}, {1728, 972, 384, 216}, {1843, 972, 410, 216}}},
      {3, {{793, 446, 333, 187}, {1587, 893, 665, 374}, {1693, 893, 709, 374}}},
      {10, {{656, 369, 607, 342}, {1313, 738, 1214, 683}, {1400, 738, 1295, 683}}},
      {25, {{480, 270, 960, 540}, {960, 540, 1920, 1080}, {1024, 540, 2048, 1080}}},
      {50, {{281, 158, 1358, 764}, {562, 316, 2715, 1527}, {600, 316, 2896, 1527}}},
      {100, {{0, 0, 1920, 1080}, {0, 0, 3840, 2160}, {0, 0, 4096, 2160}}},
  };
  for (const auto& row : table) {
    for (int m = 0; m < kModeCount; ++m) {
      SCOPED_TRACE(::testing::Message() << row.area << "% at " << kModes[m].name);
      expectRect(row.rects[m], patchRectForArea(row.area, kModes[m].width, kModes[m].height),
                 "");
    }
  }
}

TEST(PatchRect, ZeroNegativeAndNaNGiveTheCentrePixel) {
  const PatchRect centre[3] = {{959, 539, 1, 1}, {1919, 1079, 1, 1}, {2047, 1079, 1, 1}};
  for (double area : {0.0, -0.0, -5.0, -1e300, std::numeric_limits<double>::quiet_NaN(),
                      -std::numeric_limits<double>::infinity()}) {
    for (int m = 0; m < kModeCount; ++m) {
      expectRect(centre[m], patchRectForArea(area, kModes[m].width, kModes[m].height),
                 kModes[m].name);
    }
  }
}

TEST(PatchRect, HundredOrMoreIsTheWholeFrame) {
  for (double area : {100.0, 150.0, 1e9, std::numeric_limits<double>::infinity()}) {
    expectRect({0, 0, 4096, 2160}, patchRectForArea(area, 4096, 2160), "4k");
  }
}

TEST(PatchRect, TinyAreasKeepOnePixelSides) {
  // 1.92 rounds to 2 and 1.08 to 1.
  expectRect({959, 539, 2, 1}, patchRectForArea(0.0001, 1920, 1080), "0.0001%");
  // Just under 100 % still rounds inside the frame.
  expectRect({0, 0, 1920, 1080}, patchRectForArea(99.9999, 1920, 1080), "99.9999%");
}

}  // namespace
