// Taking and releasing the held device (decklink/held_device.h): opening
// device N at a mode, closing it, and the release on SIGINT and SIGTERM.
#ifndef CORVANE_DECKLINK_DEVICE_HOLD_H
#define CORVANE_DECKLINK_DEVICE_HOLD_H

#include <string>

#include "decklink/held_device.h"

// Error codes of the device layer; "" means success.
extern const char kBadRequest[];
extern const char kNoDevice[];
extern const char kNoOutput[];
extern const char kUnsupported[];
extern const char kFailed[];
extern const char kInUse[];
extern const char kNotOpen[];
extern const char kNoApi[];

extern const char kUnsupportedMessage[];
extern const char kNoApiMessage[];
extern const char kNoDeviceMessage[];
extern const char kNoOutputMessage[];

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
