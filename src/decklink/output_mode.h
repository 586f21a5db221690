// The output modes the program knows: three resolutions, each at eight
// frame rates. Every frame it shows is 10-bit RGB 4:4:4 at one of these.
//
// A mode's name is its resolution ("hd", "uhd", "4k") and, for any rate but
// 24, "@" and the rate ("hd@59.94", "4k@50"). "hd@24" names the same mode
// as "hd": a 24p mode's name is its resolution alone, so it prints as
// "hd", "uhd" or "4k" however it was asked for.
#ifndef CORVANE_DECKLINK_OUTPUT_MODE_H
#define CORVANE_DECKLINK_OUTPUT_MODE_H

#include <cstdint>

#include "decklink/decklink_api.h"

struct OutputMode {
  const char* name;            // the word used on the command line and on the wire
  BMDDisplayMode displayMode;  // the DeckLink display mode code
  int32_t width;               // frame size in pixels
  int32_t height;
  const char* rate;            // frames per second as written after "@": "59.94"
};

// The resolutions, each at 24p: index 0 "hd", 1 "uhd", 2 "4k". The order is
// the order of every table and list the program prints; the device list
// shows these three.
constexpr int kModeCount = 3;
extern const OutputMode kModes[kModeCount];

// The rates, slowest first: "23.98", "24", "25", "29.97", "30", "50",
// "59.94", "60".
constexpr int kRateCount = 8;
extern const char* const kRates[kRateCount];

// The mode of resolution kModes[resolution] at kRates[rate]; at rate 1 (24)
// that is kModes[resolution] itself. Both indexes must be in range.
const OutputMode& modeAt(int resolution, int rate);

// The mode `name` names exactly (case-sensitive), or null: "hd", "uhd",
// "4k", or one of them, "@" and a rate as kRates writes it.
const OutputMode* findMode(const char* name);

// Whether `output` can show 10-bit RGB 4:4:4 ('r210') at `mode`: supported
// only when the call succeeds and its flag says yes; a failing call counts
// as unsupported and is never reported.
bool probeMode(IDeckLinkOutput* output, const OutputMode& mode);

#endif  // CORVANE_DECKLINK_OUTPUT_MODE_H
