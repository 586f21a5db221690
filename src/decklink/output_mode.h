// The three output resolutions the program knows. Every frame it shows is
// 10-bit RGB 4:4:4 at one of these.
#ifndef CORVANE_DECKLINK_OUTPUT_MODE_H
#define CORVANE_DECKLINK_OUTPUT_MODE_H

#include <cstdint>

#include "decklink/decklink_api.h"

struct OutputMode {
  const char* name;            // the word used on the command line and on the wire
  BMDDisplayMode displayMode;  // the DeckLink display mode code
  int32_t width;               // frame size in pixels
  int32_t height;
};

constexpr int kModeCount = 3;

// Index 0 "hd", 1 "uhd", 2 "4k"; the order is the order of every table and
// list the program prints.
extern const OutputMode kModes[kModeCount];

// The entry whose name equals `name` exactly (case-sensitive), or null.
const OutputMode* findMode(const char* name);

#endif  // CORVANE_DECKLINK_OUTPUT_MODE_H
