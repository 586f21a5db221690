// The patch frame: every pixel at each mode, masked components, padded
// rows, the buffer access painting goes through, and frames that cannot be
// written or shown.
#include "decklink/device_hold.h"
#include "render/show_picture.h"
#include "support/frame_checks.h"
#include "support/held_device_test.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

const char kCard[] = "[capture]\nmemory = yes\n[device]\nname = A\n";

class ShowPatchTest : public HeldDeviceTest {
 protected:
  void openAt(const char* modeName, const std::string& extra = "") {
    configureAndOpen(kCard + extra, modeName);
  }
};

TEST_F(ShowPatchTest, EveryPixelFollowsTheRuleAtEveryMode) {
  const struct {
    const char* mode;
    double area;
    PatchRect rect;
  } cases[] = {
      {"hd", 1, {864, 486, 192, 108}},      {"hd", 10, {656, 369, 607, 342}},
      {"hd", 50, {281, 158, 1358, 764}},    {"hd", 0, {959, 539, 1, 1}},
      {"uhd", 1, {1728, 972, 384, 216}},    {"uhd", 10, {1313, 738, 1214, 683}},
      {"uhd", 50, {562, 316, 2715, 1527}},  {"uhd", 0, {1919, 1079, 1, 1}},
      {"4k", 1, {1843, 972, 410, 216}},     {"4k", 10, {1400, 738, 1295, 683}},
      {"4k", 50, {600, 316, 2896, 1527}},   {"4k", 0, {2047, 1079, 1, 1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.mode << " " << c.area << "%");
    openAt(c.mode);
    PatchRect rect;
    ASSERT_EQ("", showPatch(940, 64, 512, 64, 80, 96, c.area, &rect).text());
    EXPECT_EQ(std::vector<int>({c.rect.x, c.rect.y, c.rect.w, c.rect.h}),
              std::vector<int>({rect.x, rect.y, rect.w, rect.h}));
    expectPatchFrame(lastFrame().frame, c.rect, r210Word(940, 64, 512), r210Word(64, 80, 96));
  }
}

TEST_F(ShowPatchTest, EdgesAtTenPercentHd) {
  openAt("hd");
  PatchRect rect;
  ASSERT_EQ("", showPatch(1023, 0, 0, 0, 0, 0, 10, &rect).text());
  CapturedFrame frame = lastFrame();
  const uint32_t red = r210Word(1023, 0, 0);
  for (int column : {656, 900, 1262}) {
    EXPECT_EQ(red, frame.word(column, 369));
    EXPECT_EQ(red, frame.word(column, 710));
    EXPECT_EQ(0u, frame.word(column, 368));
    EXPECT_EQ(0u, frame.word(column, 711));
  }
  for (int row : {369, 500, 710}) {
    EXPECT_EQ(0u, frame.word(655, row));
    EXPECT_EQ(0u, frame.word(1263, row));
  }
}

TEST_F(ShowPatchTest, ComponentsAreMaskedNotClamped) {
  openAt("hd");
  PatchRect rect;
  ASSERT_EQ("", showPatch(1024, 1500, 65535, 2047, 0, 0, 100, &rect).text());
  CapturedFrame frame = lastFrame();
  expectPatchFrame(frame.frame, {0, 0, 1920, 1080}, r210Word(0, 476, 1023), 0);
  const unsigned char* first = frame.bytes;
  EXPECT_EQ(0x00, first[0]);
  EXPECT_EQ(0x07, first[1]);
  EXPECT_EQ(0x73, first[2]);
  EXPECT_EQ(0xFF, first[3]);
}

TEST_F(ShowPatchTest, EachCallRepaintsEveryPixel) {
  openAt("uhd");
  PatchRect rect;
  ASSERT_EQ("", showPatch(1023, 1023, 1023, 0, 0, 0, 100, &rect).text());
  ASSERT_EQ("", showPatch(100, 200, 300, 400, 500, 600, 3, &rect).text());
  expectPatchFrame(lastFrame().frame, rect, r210Word(100, 200, 300), r210Word(400, 500, 600));
}

TEST_F(ShowPatchTest, PaddedRowsKeepTheirPaddingUntouched) {
  openAt("hd", "row_padding = 256\n");
  ASSERT_EQ(7680 + 256, gRowBytes);
  PatchRect rect;
  ASSERT_EQ("", showPatch(1, 2, 3, 4, 5, 6, 25, &rect).text());
  CapturedFrame frame = lastFrame();
  expectPatchFrame(frame.frame, rect, r210Word(1, 2, 3), r210Word(4, 5, 6));
  for (int row = 0; row < frame.height; ++row) {
    for (int byte = 1920 * 4; byte < frame.rowBytes; ++byte) {
      ASSERT_EQ(0, frame.bytes[static_cast<size_t>(row) * frame.rowBytes + byte]) << row;
    }
  }
}

TEST_F(ShowPatchTest, NothingHeldDoesNothing) {
  configure(kCard);
  PatchRect rect{1, 2, 3, 4};
  EXPECT_EQ("no device is open (not_open)", showPatch(1, 2, 3, 0, 0, 0, 10, &rect).text());
  EXPECT_EQ(1, rect.x);
  EXPECT_EQ(4, rect.h);
  EXPECT_TRUE(logLines().empty());
}

TEST_F(ShowPatchTest, DisplayFailureStillFillsTheRectangle) {
  openAt("hd", "display = E_FAIL\n");
  PatchRect rect;
  EXPECT_EQ("DisplayVideoFrameSync failed (failed)", showPatch(1, 2, 3, 0, 0, 0, 10, &rect).text());
  EXPECT_EQ(656, rect.x);
  EXPECT_EQ(342, rect.h);
}

TEST_F(ShowPatchTest, RefusedPixelsAreNeverDisplayed) {
  // The buffer interface, the access and the address can each be refused;
  // nothing is painted then, and nothing is displayed either: the card keeps
  // the previous picture, which must not pass for the new one.
  for (const char* fault : {"buffer = no\n", "start_access = E_FAIL\n", "get_bytes = E_FAIL\n",
                            "get_bytes = null\n"}) {
    SCOPED_TRACE(fault);
    openAt("hd", fault);
    clearLog();
    PatchRect rect{1, 2, 3, 4};
    EXPECT_EQ("could not write to the frame (failed)", showPatch(1023, 1023, 1023, 0, 0, 0, 100, &rect).text());
    EXPECT_EQ(3, rect.w);  // nothing was painted
    EXPECT_EQ(0, decklink_sim_displayed_count());
    EXPECT_TRUE(logLinesWith("DisplayVideoFrameSync").empty());
    EXPECT_NE(nullptr, gFrame);
  }
}

TEST_F(ShowPatchTest, WritesThroughOnlyOpenAccess) {
  openAt("hd");
  clearLog();
  PatchRect rect;
  ASSERT_EQ("", showPatch(1, 2, 3, 0, 0, 0, 10, &rect).text());
  EXPECT_THAT(logLines(), ElementsAre(HasSubstr("QueryInterface(IDeckLinkVideoBuffer)"),
                                      HasSubstr("StartAccess(2)"), HasSubstr("GetBytes()"),
                                      HasSubstr("EndAccess(2)"), HasSubstr("Release() = 0"),
                                      HasSubstr("DisplayVideoFrameSync")));
}

}  // namespace
