#include "decklink/output_mode.h"

#include <cstring>

const OutputMode kModes[kModeCount] = {
    {"hd", bmdModeHD1080p24, 1920, 1080, "24"},
    {"uhd", bmdMode4K2160p24, 3840, 2160, "24"},
    {"4k", bmdMode4kDCI24, 4096, 2160, "24"},
};

const char* const kRates[kRateCount] = {"23.98", "24", "25", "29.97", "30", "50", "59.94", "60"};

namespace {

constexpr int k24 = 1;  // the rate of kModes

// Every rate but 24, in the order of kRates without it.
const OutputMode kOtherRates[kModeCount][kRateCount - 1] = {
    {{"hd@23.98", bmdModeHD1080p2398, 1920, 1080, "23.98"},
     {"hd@25", bmdModeHD1080p25, 1920, 1080, "25"},
     {"hd@29.97", bmdModeHD1080p2997, 1920, 1080, "29.97"},
     {"hd@30", bmdModeHD1080p30, 1920, 1080, "30"},
     {"hd@50", bmdModeHD1080p50, 1920, 1080, "50"},
     {"hd@59.94", bmdModeHD1080p5994, 1920, 1080, "59.94"},
     {"hd@60", bmdModeHD1080p6000, 1920, 1080, "60"}},
    {{"uhd@23.98", bmdMode4K2160p2398, 3840, 2160, "23.98"},
     {"uhd@25", bmdMode4K2160p25, 3840, 2160, "25"},
     {"uhd@29.97", bmdMode4K2160p2997, 3840, 2160, "29.97"},
     {"uhd@30", bmdMode4K2160p30, 3840, 2160, "30"},
     {"uhd@50", bmdMode4K2160p50, 3840, 2160, "50"},
     {"uhd@59.94", bmdMode4K2160p5994, 3840, 2160, "59.94"},
     {"uhd@60", bmdMode4K2160p60, 3840, 2160, "60"}},
    {{"4k@23.98", bmdMode4kDCI2398, 4096, 2160, "23.98"},
     {"4k@25", bmdMode4kDCI25, 4096, 2160, "25"},
     {"4k@29.97", bmdMode4kDCI2997, 4096, 2160, "29.97"},
     {"4k@30", bmdMode4kDCI30, 4096, 2160, "30"},
     {"4k@50", bmdMode4kDCI50, 4096, 2160, "50"},
     {"4k@59.94", bmdMode4kDCI5994, 4096, 2160, "59.94"},
     {"4k@60", bmdMode4kDCI60, 4096, 2160, "60"}},
};

}  // namespace

const OutputMode& modeAt(int resolution, int rate) {
  if (rate == k24) return kModes[resolution];
  return kOtherRates[resolution][rate < k24 ? rate : rate - 1];
}

const OutputMode* findMode(const char* name) {
  const char* at = std::strchr(name, '@');
  const size_t resolutionLength = at == nullptr ? std::strlen(name) : size_t(at - name);
  for (int resolution = 0; resolution < kModeCount; ++resolution) {
    const char* resolutionName = kModes[resolution].name;
    if (std::strlen(resolutionName) != resolutionLength ||
        std::strncmp(resolutionName, name, resolutionLength) != 0) {
      continue;
    }
    if (at == nullptr) return &kModes[resolution];
    for (int rate = 0; rate < kRateCount; ++rate) {
      if (std::strcmp(kRates[rate], at + 1) == 0) return &modeAt(resolution, rate);
    }
    return nullptr;
  }
  return nullptr;
}

bool probeMode(IDeckLinkOutput* output, const OutputMode& mode) {
  bool supported = false;
  BMDDisplayMode actualMode = 0;  // not read: the program never converts modes
  HRESULT result = output->DoesSupportVideoMode(
      bmdVideoConnectionUnspecified, mode.displayMode, bmdFormat10BitRGB,
      bmdNoVideoOutputConversion, bmdSupportedVideoModeDefault, &actualMode, &supported);
  return result == kS_OK && supported;
}
