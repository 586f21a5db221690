#include "link/link_faults.h"

#include <algorithm>
#include <cmath>

namespace {

struct Rgb {
  double r, g, b;
};

uint32_t wordAt(const unsigned char* p) {
  return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}

void storeWord(unsigned char* p, uint32_t w) {
  p[0] = static_cast<unsigned char>(w >> 24);
  p[1] = static_cast<unsigned char>(w >> 16);
  p[2] = static_cast<unsigned char>(w >> 8);
  p[3] = static_cast<unsigned char>(w);
}

int clampCode(double v) { return std::clamp(int(std::lround(v)), 0, 1023); }

Rgb rgbOf(uint32_t w) {
  return {double((w >> 20) & 0x3FF), double((w >> 10) & 0x3FF), double(w & 0x3FF)};
}

uint32_t wordOf(int r, int g, int b) {
  return (uint32_t(r) << 20) | (uint32_t(g) << 10) | uint32_t(b);
}

constexpr double kKr = 0.2126, kKb = 0.0722, kKg = 1 - kKr - kKb;

// One pair of pixels through 10-bit Y'CbCr 4:2:2 and back.
void sharePairChroma(unsigned char* left, unsigned char* right) {
  const Rgb a = rgbOf(wordAt(left)), b = rgbOf(wordAt(right));
  const auto luma = [](const Rgb& c) { return kKr * c.r + kKg * c.g + kKb * c.b; };
  const int ya = clampCode(luma(a)), yb = clampCode(luma(b));
  const double cb = std::lround(((b.b - luma(b)) / 1.8556 + (a.b - luma(a)) / 1.8556) / 2 + 512);
  const double cr = std::lround(((b.r - luma(b)) / 1.5748 + (a.r - luma(a)) / 1.5748) / 2 + 512);
  for (auto [y, at] : {std::pair<int, unsigned char*>{ya, left}, {yb, right}}) {
    const double r = y + 1.5748 * (cr - 512);
    const double bl = y + 1.8556 * (cb - 512);
    const double g = (y - kKr * r - kKb * bl) / kKg;
    storeWord(at, wordOf(clampCode(r), clampCode(g), clampCode(bl)));
  }
}

int perCode(const InputSetup& link, int v) {
  if (link.videoLevels) v = clampCode(64 + v * 876.0 / 1023.0);
  if (link.lowBits) v &= ~3;
  if (link.sdiClip) v = std::clamp(v, 4, 1019);
  return v;
}

}  // namespace

void applyPixelFaults(const InputSetup& link, int32_t width, int32_t height, int32_t rowBytes,
                      std::vector<unsigned char>* pixels) {
  const bool perComponent = link.videoLevels || link.lowBits || link.sdiClip;
  if (!link.chroma422 && !perComponent) return;
  for (int32_t y = 0; y < height; ++y) {
    unsigned char* row = pixels->data() + int64_t{rowBytes} * y;
    for (int32_t x = 0; link.chroma422 && x + 1 < width; x += 2) {
      sharePairChroma(row + 4 * x, row + 4 * (x + 1));
    }
    for (int32_t x = 0; perComponent && x < width; ++x) {
      const uint32_t w = wordAt(row + 4 * x);
      storeWord(row + 4 * x, wordOf(perCode(link, (w >> 20) & 0x3FF),
                                    perCode(link, (w >> 10) & 0x3FF), perCode(link, w & 0x3FF)));
    }
  }
}

FrameMetadata applyMetadataFault(const InputSetup& link, FrameMetadata metadata) {
  if (link.metadata == LinkMetadata::kDrop) return FrameMetadata();
  if (link.metadata != LinkMetadata::kChange) return metadata;
  for (MetadataValue& value : metadata.values) {
    if (value.id == 0x68646D6Cu) {  // 'hdml'
      value.floatValue += 1;
      return metadata;
    }
  }
  for (MetadataValue& value : metadata.values) {
    if (value.id == 0x656F7466u) value.intValue ^= 1;  // 'eotf'
  }
  return metadata;
}
