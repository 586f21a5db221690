// Finding a device by its position in the driver's list.
#ifndef CORVANE_DECKLINK_DEVICE_AT_H
#define CORVANE_DECKLINK_DEVICE_AT_H

#include "decklink/decklink_api.h"

// Walks the driver's device list to position `index` and returns that
// device with its reference, or null. Every device passed over is released
// before the next step, and so is the iterator. A success without a device
// ends the walk: it is never counted or released as a device. `apiFound`,
// when given, says whether the driver was there to ask.
IDeckLink* deviceAt(int index, bool* apiFound = nullptr);

#endif  // CORVANE_DECKLINK_DEVICE_AT_H
