// The patch frame: every pixel at each mode, masked components, padded
// rows, the buffer access painting goes through, and frames that cannot be
// written or shown.
#include <pthread.h>

#include <algorithm>
#include <csignal>

#include "decklink/device_hold.h"
#include "decklink/held_card.h"
#include "render/patterns.h"
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

// Text under a patch: every pixel of a glyph in the text's colour and
// within the text's box, clipped to the frame, and none in the patch,
// which wins where the text reaches into it.
TEST_F(ShowPatchTest, TextIsSetInItsColourAloneClippedAndUnderThePatch) {
  const struct {
    PictureText text;
    PatchRect box;  // where its pixels may be
    long least;     // at least this many of them
  } rows[] = {
      {{"RGB Triplet 126,126,126", 785, 20, 18, {80, 512, 512}}, {785, 20, 221, 22}, 500},
      {{"Clipped", -20, -10, 40, {1, 2, 3}}, {0, 0, 130, 37}, 300},
      {{"Edge", 1880, 1060, 40, {1023, 0, 0}}, {1880, 1060, 40, 20}, 50},
  };
  openAt("hd");
  const PatchRect patch = {656, 369, 607, 342};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text.text);
    ASSERT_EQ("", showPicture({{64, 64, 64}, {{patch, {502, 502, 502}}}, {row.text}}).text());
    const uint32_t text = r210Word(row.text.colour.r, row.text.colour.g, row.text.colour.b);
    EXPECT_LE(row.least, expectPatchAndTextFrame(lastFrame().frame, patch, r210Gray(502),
                                                 r210Gray(64), row.box, text));
  }
}

// A picture is refused, nothing shown, when it carries more text than any
// host needs, or when a signal that ends the program is waiting: large
// glyphs take milliseconds each, and the release must not wait for them.
TEST_F(ShowPatchTest, TextThatWouldKeepTheProgramWaitingIsNotSet) {
  openAt("hd");
  const PictureText line = {"W", 0, 0, 40, {1, 2, 3}};
  ASSERT_EQ("", showPicture({{64, 64, 64}, {}, std::vector<PictureText>(32, line)}).text());
  const uint64_t shown = framesShown();
  EXPECT_EQ("a picture carries at most 32 lines of text (bad_request)",
            showPicture({{64, 64, 64}, {}, std::vector<PictureText>(33, line)}).text());
  sigset_t term;
  sigemptyset(&term);
  sigaddset(&term, SIGTERM);
  ASSERT_EQ(0, pthread_sigmask(SIG_BLOCK, &term, nullptr));
  ASSERT_EQ(0, raise(SIGTERM));
  const Failure pending = showPicture({{64, 64, 64}, {}, {line}});
  int taken = 0;
  ASSERT_EQ(0, sigwait(&term, &taken));
  ASSERT_EQ(0, pthread_sigmask(SIG_UNBLOCK, &term, nullptr));
  EXPECT_EQ("the text was not set: the program is ending (failed)", pending.text());
  EXPECT_EQ(shown, framesShown());
}

// Each pattern's codes at the places README.md's table names, at 1920 x 1080:
// x, y and the code, gray, or for the bars the red, green and blue codes.
TEST_F(ShowPatchTest, PatternsHaveTheirDocumentedCodes) {
  struct Point {
    int x, y;
    unsigned r, g = 2000, b = 2000;  // 2000: gray, r all three
  };
  const struct {
    const char* name;
    bool full;
    Point points[4];
  } rows[] = {
      {"pluge", false, {{100, 100, 64}, {600, 540, 48}, {960, 540, 80}, {1320, 540, 96}}},
      {"pluge", true, {{100, 100, 0}, {600, 540, 0}, {960, 540, 16}, {1320, 540, 32}}},
      {"black-clipping", false, {{100, 100, 64}, {120, 540, 52}, {1080, 540, 68}, {1800, 540, 80}}},
      {"black-clipping", true, {{100, 100, 0}, {120, 540, 0}, {1080, 540, 16}, {1800, 540, 28}}},
      {"white-clipping", false,
       {{100, 100, 940}, {120, 540, 924}, {1080, 540, 940}, {1800, 540, 952}}},
      {"white-clipping", true,
       {{100, 100, 1023}, {120, 540, 995}, {1080, 540, 1011}, {1800, 540, 1023}}},
      {"ramp", false, {{0, 0, 64}, {960, 540, 502}, {1919, 1079, 940}, {1, 540, 64}}},
      {"ramp", true, {{0, 0, 0}, {960, 540, 512}, {1919, 1079, 1023}, {1, 540, 1}}},
      {"bars75", false, {{137, 540, 721}, {411, 540, 721, 721, 64}, {1234, 540, 721, 64, 721},
                         {1782, 540, 64, 64, 721}}},
      {"bars75", true, {{685, 540, 0, 767, 767}, {959, 540, 0, 767, 0}, {1508, 540, 767, 0, 0},
                        {1919, 0, 0, 0, 767}}},
      {"bars100", false, {{0, 0, 940}, {685, 540, 64, 940, 940}, {1234, 540, 940, 64, 940},
                          {1782, 540, 64, 64, 940}}},
      {"bars100", true, {{0, 0, 1023}, {411, 540, 1023, 1023, 0}, {959, 540, 0, 1023, 0},
                         {1508, 540, 1023, 0, 0}}},
      {"checkerboard", false, {{60, 60, 940}, {180, 60, 64}, {60, 180, 64}, {1740, 1020, 940}}},
      {"checkerboard", true, {{60, 60, 1023}, {180, 60, 0}, {60, 180, 0}, {1740, 1020, 1023}}},
      {"window1", false, {{10, 10, 276}, {960, 540, 940}, {864, 486, 940}, {863, 486, 276}}},
      {"window2", true, {{10, 10, 240}, {960, 540, 1023}, {824, 463, 1023}, {823, 463, 240}}},
      {"window5", false, {{10, 10, 248}, {960, 540, 940}, {745, 419, 940}, {744, 419, 248}}},
      {"window10", true, {{10, 10, 171}, {656, 369, 1023}, {655, 369, 171}, {1262, 710, 1023}}},
      {"window18", false, {{10, 10, 139}, {960, 540, 940}, {552, 311, 940}, {551, 311, 139}}},
      {"window25", true, {{10, 10, 0}, {960, 540, 1023}, {480, 270, 1023}, {479, 270, 0}}},
  };
  openAt("hd");
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.name << (row.full ? " full" : " video"));
    ASSERT_EQ("", showPattern(row.name, row.full ? kFullCodes : kVideoCodes, false).text());
    for (const Point& p : row.points) {
      const uint32_t word = p.g == 2000 ? r210Gray(p.r) : r210Word(p.r, p.g, p.b);
      EXPECT_EQ(word, lastFrame().word(p.x, p.y)) << p.x << "," << p.y;
    }
  }
  std::string message;
  EXPECT_EQ("bad_request", codeOf(showPattern("PLUGE", kVideoCodes, false), &message));
}

// The ramp: every code of the range once, in order, left to right, in
// bands whose widths differ by one pixel at most.
TEST_F(ShowPatchTest, TheRampHoldsEveryCodeInBandsOfEqualWidth) {
  openAt("uhd");
  for (const CodeRange& range : {kVideoCodes, kFullCodes}) {
    ASSERT_EQ("", showPattern("ramp", range, true).text());
    const CapturedFrame frame = lastFrame();
    std::vector<int> widths = {0};
    unsigned code = range.black;
    for (int x = 0; x < frame.width; ++x) {
      const unsigned here = frame.word(x, 2159) & 0x3FF;
      if (here != code) {
        ASSERT_EQ(code + 1, here) << x;  // the next code, none skipped
        code = here;
        widths.push_back(0);
      }
      ++widths.back();
    }
    EXPECT_EQ(range.peak, code);
    EXPECT_LE(*std::max_element(widths.begin(), widths.end()) -
                  *std::min_element(widths.begin(), widths.end()),
              1);
  }
}

}  // namespace
