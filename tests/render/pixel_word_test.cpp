// The r210 pixel word: its bytes in memory for listed colours.
#include <gtest/gtest.h>

#include <cstring>

#include "render/pixel_word.h"

namespace {

TEST(PixelWord, MemoryBytesOfListedColours) {
  const struct {
    uint16_t r, g, b;
    unsigned char bytes[4];
  } colours[] = {
      {1023, 1023, 1023, {0x3F, 0xFF, 0xFF, 0xFF}},
      {0, 0, 0, {0x00, 0x00, 0x00, 0x00}},
      {64, 64, 64, {0x04, 0x01, 0x00, 0x40}},
      {940, 64, 64, {0x3A, 0xC1, 0x00, 0x40}},
      {1023, 0, 0, {0x3F, 0xF0, 0x00, 0x00}},
      {0, 0, 1023, {0x00, 0x00, 0x03, 0xFF}},
      {1024, 1500, 65535, {0x00, 0x07, 0x73, 0xFF}},  // masked to (0, 476, 1023)
  };
  for (const auto& c : colours) {
    uint32_t stored = storedWord(pixelWord(c.r, c.g, c.b));
    unsigned char bytes[4];
    std::memcpy(bytes, &stored, 4);
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(c.bytes[i], bytes[i]) << c.r << "," << c.g << "," << c.b << " byte " << i;
    }
  }
}

TEST(PixelWord, GrayWordIsTheSameLevelInAllThreeComponents) {
  for (uint16_t level : {0, 1, 64, 512, 546, 721, 1023, 1024, 1500, 65535}) {
    EXPECT_EQ(pixelWord(level, level, level), grayWord(level)) << level;
  }
  EXPECT_EQ(0u, grayWord(1024));
}

}  // namespace
