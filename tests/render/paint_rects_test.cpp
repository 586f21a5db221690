// The rectangle painter on frames of our own: any address alignment, any
// row stride, both ways of storing, against the rule written out plainly.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "render/paint_rects.h"

namespace {

const unsigned char kGuard = 0xEE;

// The rule: every pixel takes the word of the last rectangle covering it,
// or the background.
uint32_t expectedWord(const std::vector<PaintedRect>& rects, uint32_t background, int64_t column,
                      int64_t row) {
  uint32_t word = background;
  for (const PaintedRect& p : rects) {
    const PatchRect& r = p.rect;
    if (column >= r.x && column < int64_t{r.x} + r.w && row >= r.y && row < int64_t{r.y} + r.h) {
      word = p.stored;
    }
  }
  return word;
}

// Paints into a buffer `offset` bytes past an aligned start, with `padding`
// bytes after each row, and checks every pixel, every padding byte and the
// bytes around the frame.
void expectPainted(int32_t width, int32_t height, size_t offset, int64_t padding,
                   const std::vector<PaintedRect>& rects, FrameStores stores) {
  SCOPED_TRACE(::testing::Message() << width << "x" << height << " offset " << offset
                                    << " padding " << padding << " rects " << rects.size()
                                    << (stores == FrameStores::kCached ? " cached" : " streaming"));
  const int64_t rowBytes = int64_t{4} * width + padding;
  const size_t frameSize = static_cast<size_t>(rowBytes * height);
  std::vector<unsigned char> memory(frameSize + 64 + offset, kGuard);
  unsigned char* aligned = memory.data() + (16 - reinterpret_cast<uintptr_t>(memory.data()) % 16);
  unsigned char* pixels = aligned + offset;
  const uint32_t background = 0x0A0B0C0D;
  paintRects({pixels, rowBytes, width, height}, background, rects, stores);
  finishStreaming();
  long wrong = 0;
  for (int64_t row = 0; row < height; ++row) {
    for (int64_t column = 0; column < width; ++column) {
      uint32_t word;
      std::memcpy(&word, pixels + row * rowBytes + 4 * column, 4);
      if (word != expectedWord(rects, background, column, row) && ++wrong <= 3) {
        ADD_FAILURE() << "pixel (" << column << "," << row << ")";
      }
    }
    for (int64_t byte = 4 * width; byte < rowBytes; ++byte) {
      if (pixels[row * rowBytes + byte] != kGuard && ++wrong <= 3) {
        ADD_FAILURE() << "padding of row " << row << " written";
      }
    }
  }
  for (unsigned char* p = memory.data(); p < pixels; ++p) EXPECT_EQ(kGuard, *p);
  for (unsigned char* p = pixels + frameSize; p < memory.data() + memory.size(); ++p) {
    EXPECT_EQ(kGuard, *p);
  }
  EXPECT_EQ(0, wrong);
}

// Many rectangles over and under each other: 40 nested ones, alternately of
// two words, then 80 scattered ones of four words (a fixed sequence), which
// start and end on shared rows and columns, cross the frame's edges, and
// uncover what lies under them.
std::vector<PaintedRect> manyRects() {
  std::vector<PaintedRect> rects;
  for (int i = 0; i < 40; ++i) {
    rects.push_back({{i, i / 4, 100 - 2 * i, 20 - i / 2}, i % 2 ? 0x01010101u : 0x02020202u});
  }
  uint32_t seed = 12345;
  const auto next = [&seed](int range) {
    seed = seed * 1103515245u + 12345u;
    return static_cast<int>((seed >> 16) % static_cast<uint32_t>(range));
  };
  for (int i = 0; i < 80; ++i) {
    rects.push_back({{next(110) - 5, next(24) - 2, next(40), next(12)},
                     0x03030303u * static_cast<uint32_t>(1 + next(4))});
  }
  return rects;
}

const std::vector<std::vector<PaintedRect>> kPictures = {
    manyRects(),
    {},
    {{{30, 5, 41, 9}, 0x11111111}},
    {{{0, 3, 100, 4}, 0x22222222}, {{10, 4, 7, 20}, 0x33333333}},
    {{{-5, -5, 500, 500}, 0x44444444}},
    {{{90, 18, 1000, 1000}, 0x55555555}, {{-100, -3, 105, 5}, 0x66666666}},
    {{{5, 5, 0, 9}, 0x77777777}, {{5, 5, 9, -1}, 0x77777777}, {{200, 0, 5, 5}, 0x77777777}},
    {{{20, 2, 30, 10}, 0x12345678}, {{25, 4, 30, 10}, 0x0F0F0F0F}, {{20, 2, 30, 10}, 0x12345678}},
};

TEST(PaintRects, EveryAlignmentStrideAndStore) {
  for (FrameStores stores : {FrameStores::kCached, FrameStores::kStreaming}) {
    for (size_t offset : {0u, 1u, 2u, 3u, 4u, 8u, 12u, 15u}) {
      for (int64_t padding : {0, 4, 12, 256}) {
        for (const auto& rects : kPictures) expectPainted(100, 20, offset, padding, rects, stores);
      }
    }
  }
}

TEST(PaintRects, NarrowFramesAndTheWidestRow) {
  for (FrameStores stores : {FrameStores::kCached, FrameStores::kStreaming}) {
    for (int32_t width : {1, 3, 5, 17}) {
      expectPainted(width, 4, 4, 0, {{{1, 1, 2, 2}, 0x01020304}}, stores);
    }
    expectPainted(4096, 3, 4, 0, {{{1000, 1, 2000, 1}, 0x01020304}}, stores);
  }
}

}  // namespace
