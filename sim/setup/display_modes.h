// The display modes the simulated card knows: three resolutions at eight
// rates each, by configuration key ("hd", "hd@59.94"), by FourCC and by
// frame size. "hd", "uhd" and "4k" are the 24p modes, as they have always
// been; "hd@24" is another key for "hd".
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

// Resolution after resolution (hd, uhd, 4k), each at its eight rates
// (23.98, 24, 25, 29.97, 30, 50, 59.94, 60).
constexpr int kSimRateCount = 8;
constexpr int kSimModeCount = 3 * kSimRateCount;
extern const SimDisplayMode kSimModes[kSimModeCount];

// Each returns the index into kSimModes, or -1.
int simModeByKey(const std::string& key);
int simModeByFourCC(BMDDisplayMode mode);
// The 24p mode of that size.
int simModeBySize(int32_t width, int32_t height);

// The indexes of the modes "<resolution>@*" names (every rate of "hd",
// "uhd" or "4k"): the first, or -1 when `key` is no such word.
int simFirstModeOfEveryRate(const std::string& key);

#endif  // DECKLINK_SIM_SETUP_DISPLAY_MODES_H
