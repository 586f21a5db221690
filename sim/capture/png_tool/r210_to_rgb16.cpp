#include "capture/png_tool/r210_to_rgb16.h"

namespace {

void putSample(uint32_t tenBits, unsigned char* out) {
  const uint32_t sixteen = (tenBits << 6) | (tenBits >> 4);
  out[0] = static_cast<unsigned char>(sixteen >> 8);
  out[1] = static_cast<unsigned char>(sixteen);
}

}  // namespace

void r210RowToRgb16(const unsigned char* r210, int32_t width, unsigned char* rgb16) {
  for (int32_t x = 0; x < width; ++x, r210 += 4, rgb16 += 6) {
    const uint32_t word = (uint32_t(r210[0]) << 24) | (uint32_t(r210[1]) << 16) |
                          (uint32_t(r210[2]) << 8) | uint32_t(r210[3]);
    putSample((word >> 20) & 0x3FFu, rgb16);
    putSample((word >> 10) & 0x3FFu, rgb16 + 2);
    putSample(word & 0x3FFu, rgb16 + 4);
  }
}
