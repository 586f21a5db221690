// From a message's codes and geometry to 10-bit colours and pixels.
#include "net/resolve/picture.h"

#include <gtest/gtest.h>

namespace {

PatchRect pixels(double x, double y, double cx, double cy, int32_t w = 1920, int32_t h = 1080) {
  HostRect rect;
  rect.x = x;
  rect.y = y;
  rect.cx = cx;
  rect.cy = cy;
  return toPixels(rect, w, h);
}

void expectRect(const PatchRect& r, int32_t x, int32_t y, int32_t w, int32_t h) {
  EXPECT_EQ(x, r.x);
  EXPECT_EQ(y, r.y);
  EXPECT_EQ(w, r.w);
  EXPECT_EQ(h, r.h);
}

TEST(ResolvePicture, GeometryInFractionsOfTheFrame) {
  // DisplayCAL's default window: left lround(810.048) = 810, right
  // lround(1109.952) = 1110, top lround(389.988) = 390, bottom
  // lround(690.012) = 690.
  expectRect(pixels(0.4219, 0.3611, 0.1562, 0.2778), 810, 390, 300, 300);
  expectRect(pixels(0.4219, 0.3611, 0.1562, 0.2778, 3840, 2160), 1620, 780, 600, 600);
  expectRect(pixels(0, 0, 1, 1), 0, 0, 1920, 1080);
  // Halves round away from zero: 0.25 x 1922 = 480.5.
  expectRect(pixels(0.25, 0, 0.5, 1, 1922, 2), 481, 0, 961, 2);
}

TEST(ResolvePicture, GeometryIsClampedToTheFrame) {
  expectRect(pixels(-0.5, -0.5, 1.0, 1.0), 0, 0, 960, 540);   // over the top-left corner
  expectRect(pixels(0.75, 0.75, 1.0001, 1.0001), 1440, 810, 480, 270);  // past the bottom right
  expectRect(pixels(-3, -3, 0.5, 0.5), 0, 0, 0, 0);           // wholly outside: empty
  expectRect(pixels(0.5, 0.5, 0, 0.5), 960, 540, 0, 0);        // no width
  expectRect(pixels(0.5, 0.5, -0.25, 0.5), 960, 540, 0, 0);    // negative width
  expectRect(pixels(1e300, 0, 1e300, 1), 1920, 0, 0, 0);       // far beyond, no overflow
}

TEST(ResolvePicture, ValuesAbove1Point0001ArePixels) {
  expectRect(pixels(0, 0, 1920.0, 1080.0), 0, 0, 1920, 1080);
  expectRect(pixels(810, 390, 300, 300), 810, 390, 300, 300);
  // One value in pixels makes all four pixels: x 0.5 is then no middle.
  expectRect(pixels(0.5, 0.5, 300, 200), 1, 1, 300, 200);
  expectRect(pixels(0, 0, 1.0001, 1.0001), 0, 0, 1920, 1080);  // still fractions
}

TEST(ResolvePicture, BackgroundIsBlackWithoutOne) {
  ResolveMessage message;
  HostRect rect;
  rect.colour = {255, 128, 16, 8};
  rect.cx = rect.cy = 1;
  message.rects = {rect};
  Picture picture = resolvePicture(message, 1920, 1080);
  EXPECT_EQ(0, picture.background.r + picture.background.g + picture.background.b);
  ASSERT_EQ(1u, picture.rects.size());
  EXPECT_EQ(1020, picture.rects[0].colour.r);
  EXPECT_EQ(512, picture.rects[0].colour.g);
  EXPECT_EQ(64, picture.rects[0].colour.b);
  message.hasBackground = true;
  message.background = {1023, 0, 1, 10};
  picture = resolvePicture(message, 1920, 1080);
  EXPECT_EQ(1023, picture.background.r);
  EXPECT_EQ(1, picture.background.b);
}

}  // namespace
