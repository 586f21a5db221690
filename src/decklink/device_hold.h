// Holding and releasing the held device (decklink/held_device.h): opening
// device N at a mode, closing it, and the release on SIGINT and SIGTERM.
#ifndef CORVANE_DECKLINK_DEVICE_HOLD_H
#define CORVANE_DECKLINK_DEVICE_HOLD_H

#include "decklink/failure.h"
#include "decklink/held_device.h"

// Holds device number `index` (0-based, in enumeration order) at the mode
// named `modeName` (any name findMode takes), after releasing whatever was
// held. On success the state is held with a new, undisplayed frame; on a
// failure nothing is held:
//   bad_request   "unknown resolution": no mode of that name
//   no_api, no_device, no_output
//   unsupported   the device cannot output 'r210' at the mode
//   in_use, failed   enableAtMode's (decklink/enable_mode.h)
Failure openDevice(int index, const char* modeName);

// Releases the held input (decklink/held_input.h), the frame, disables and
// releases the output, releases the device, and clears the mode, in that
// order. Nothing held: no DeckLink call.
void closeDevice();

// The SIGINT and SIGTERM handler: closeDevice, then _exit(130), writing
// nothing.
[[noreturn]] void onSignal(int signalNumber);

#endif  // CORVANE_DECKLINK_DEVICE_HOLD_H
