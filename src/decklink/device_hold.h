// The one device the program holds, its output, its one frame and its mode.
//
// The held-device state always has one of three shapes:
//   nothing held      gDevice, gOutput, gFrame, gMode all null
//   held              all four set; output enabled at gMode; gFrame is
//                     gMode's width x height in 'r210' with gRowBytes per row
//   held without mode gDevice and gOutput set, output disabled, gFrame and
//                     gMode null (left only by a failed switch whose restore
//                     failed too; the renderers refuse to paint in it)
// Each reference belongs to the state: whoever clears or replaces one
// releases it exactly once and nulls the variable straight after.
#ifndef CORVANE_DECKLINK_DEVICE_HOLD_H
#define CORVANE_DECKLINK_DEVICE_HOLD_H

#include <cstdint>
#include <string>

#include "decklink/decklink_api.h"
#include "decklink/output_mode.h"

extern const OutputMode* gMode;
extern IDeckLink* gDevice;
extern IDeckLinkOutput* gOutput;
extern IDeckLinkMutableVideoFrame* gFrame;
extern int32_t gRowBytes;  // written before each frame creation, never cleared

// Error codes of the device layer; "" means success.
extern const char kBadRequest[];
extern const char kNoDevice[];
extern const char kNoOutput[];
extern const char kUnsupported[];
extern const char kFailed[];
extern const char kInUse[];
extern const char kNotOpen[];

extern const char kUnsupportedMessage[];

// Holds device number `index` (0-based, in enumeration order) at the mode
// named `resolution` ("hd", "uhd" or "4k"), after releasing whatever was held.
// Returns "" on success, leaving the state held with a new, undisplayed
// frame; otherwise an error code with `message` set, and nothing held.
std::string openDevice(int index, const char* resolution, std::string* message);

// Releases the frame, disables and releases the output, releases the
// device, and clears the mode, in that order. Nothing held: no DeckLink call.
void closeDevice();

// The SIGINT and SIGTERM handler: closeDevice, then _exit(130), writing
// nothing.
[[noreturn]] void onSignal(int signalNumber);

#endif  // CORVANE_DECKLINK_DEVICE_HOLD_H
