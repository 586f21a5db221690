// Hosts' codes of 1 to 16 bits as the 10-bit codes corvane paints.
#include "net/host_picture.h"

#include <gtest/gtest.h>

namespace {

TEST(HostCodes, CodesOfAnyDepthBecomeTenBits) {
  const struct {
    uint32_t code;
    int bits;
    uint16_t tenBits;
  } cases[] = {
      {0, 8, 0},        {16, 8, 64},       {128, 8, 512},     {235, 8, 940},
      {255, 8, 1020},   {1, 1, 512},       {7, 3, 896},       {0, 10, 0},
      {1023, 10, 1023}, {512, 10, 512},    {2, 12, 1},        {1, 12, 0},
      {4095, 12, 1023}, {2048, 12, 512},   {65535, 16, 1023}, {32768, 16, 512},
      {32, 16, 1},      {31, 16, 0},       {65503, 16, 1023}, {65502, 16, 1023},
      {65439, 16, 1022}, {8191, 13, 1023},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.tenBits, toTenBits(c.code, c.bits)) << c.code << " at " << c.bits << " bits";
  }
}

}  // namespace
