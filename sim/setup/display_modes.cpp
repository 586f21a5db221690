#include "setup/display_modes.h"

const SimDisplayMode kSimModes[kSimModeCount] = {
    {"hd@23.98", bmdModeHD1080p2398, 1920, 1080},  {"hd", bmdModeHD1080p24, 1920, 1080},
    {"hd@25", bmdModeHD1080p25, 1920, 1080},       {"hd@29.97", bmdModeHD1080p2997, 1920, 1080},
    {"hd@30", bmdModeHD1080p30, 1920, 1080},       {"hd@50", bmdModeHD1080p50, 1920, 1080},
    {"hd@59.94", bmdModeHD1080p5994, 1920, 1080},  {"hd@60", bmdModeHD1080p6000, 1920, 1080},
    {"uhd@23.98", bmdMode4K2160p2398, 3840, 2160}, {"uhd", bmdMode4K2160p24, 3840, 2160},
    {"uhd@25", bmdMode4K2160p25, 3840, 2160},      {"uhd@29.97", bmdMode4K2160p2997, 3840, 2160},
    {"uhd@30", bmdMode4K2160p30, 3840, 2160},      {"uhd@50", bmdMode4K2160p50, 3840, 2160},
    {"uhd@59.94", bmdMode4K2160p5994, 3840, 2160}, {"uhd@60", bmdMode4K2160p60, 3840, 2160},
    {"4k@23.98", bmdMode4kDCI2398, 4096, 2160},    {"4k", bmdMode4kDCI24, 4096, 2160},
    {"4k@25", bmdMode4kDCI25, 4096, 2160},         {"4k@29.97", bmdMode4kDCI2997, 4096, 2160},
    {"4k@30", bmdMode4kDCI30, 4096, 2160},         {"4k@50", bmdMode4kDCI50, 4096, 2160},
    {"4k@59.94", bmdMode4kDCI5994, 4096, 2160},    {"4k@60", bmdMode4kDCI60, 4096, 2160},
};

namespace {
constexpr int k24 = 1;  // the 24p mode's place among a resolution's rates
}

int simModeByKey(const std::string& key) {
  for (int i = 0; i < kSimModeCount; ++i) {
    if (key == kSimModes[i].key) return i;
    if (i % kSimRateCount == k24 && key == std::string(kSimModes[i].key) + "@24") return i;
  }
  return -1;
}

int simModeByFourCC(BMDDisplayMode mode) {
  for (int i = 0; i < kSimModeCount; ++i) {
    if (mode == kSimModes[i].mode) return i;
  }
  return -1;
}

int simModeBySize(int32_t width, int32_t height) {
  for (int i = k24; i < kSimModeCount; i += kSimRateCount) {
    if (width == kSimModes[i].width && height == kSimModes[i].height) return i;
  }
  return -1;
}

int simFirstModeOfEveryRate(const std::string& key) {
  for (int i = k24; i < kSimModeCount; i += kSimRateCount) {
    if (key == std::string(kSimModes[i].key) + "@*") return i - k24;
  }
  return -1;
}
