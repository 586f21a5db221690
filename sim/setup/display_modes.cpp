#include "setup/display_modes.h"

const SimDisplayMode kSimModes[kSimModeCount] = {
    {"hd", bmdModeHD1080p24, 1920, 1080},
    {"uhd", bmdMode4K2160p24, 3840, 2160},
    {"4k", bmdMode4kDCI24, 4096, 2160},
};

int simModeByKey(const std::string& key) {
  for (int i = 0; i < kSimModeCount; ++i) {
    if (key == kSimModes[i].key) return i;
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
  for (int i = 0; i < kSimModeCount; ++i) {
    if (width == kSimModes[i].width && height == kSimModes[i].height) return i;
  }
  return -1;
}
