#include "decklink/output_mode.h"

#include <cstring>

const OutputMode kModes[kModeCount] = {
    {"hd", bmdModeHD1080p24, 1920, 1080},
    {"uhd", bmdMode4K2160p24, 3840, 2160},
    {"4k", bmdMode4kDCI24, 4096, 2160},
};

const OutputMode* findMode(const char* name) {
  for (const OutputMode& mode : kModes) {
    if (std::strcmp(mode.name, name) == 0) return &mode;
  }
  return nullptr;
}
