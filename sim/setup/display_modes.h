// The three display modes the simulated card knows, by configuration key
// ("hd", "uhd", "4k"), by FourCC and by frame size.
#ifndef DECKLINK_SIM_SETUP_DISPLAY_MODES_H
#define DECKLINK_SIM_SETUP_DISPLAY_MODES_H

#include <string>

#include "decklink/decklink_api.h"

struct SimDisplayMode {
  const char* key;  // as written in the configuration
  BMDDisplayMode mode;
  int32_t width;
  int32_t height;
};

constexpr int kSimModeCount = 3;
extern const SimDisplayMode kSimModes[kSimModeCount];

// Each returns the index into kSimModes, or -1.
int simModeByKey(const std::string& key);
int simModeByFourCC(BMDDisplayMode mode);
int simModeBySize(int32_t width, int32_t height);

#endif  // DECKLINK_SIM_SETUP_DISPLAY_MODES_H
