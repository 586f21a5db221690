// Walking the driver's list of devices: the one loop over the device
// iterator, for the listing, the mode table and opening a device.
#ifndef CORVANE_DECKLINK_DEVICE_WALK_H
#define CORVANE_DECKLINK_DEVICE_WALK_H

#include <functional>

#include "decklink/decklink_api.h"

enum class WalkStep {
  kNext,  // the walk releases the device and hands out the next
  kKeep,  // the device's reference is the visitor's now; the walk ends
};

// Hands each device, in the driver's order, to `visit`. A success without
// a device ends the walk like any failure: it is never visited or released,
// and a faulty driver cannot loop forever. The iterator is released before
// it returns. Returns false, visiting nothing, when the driver is missing.
bool walkDevices(const std::function<WalkStep(IDeckLink* device)>& visit);

// Device number `index` (0-based, in the driver's order) with its
// reference, or null. `apiFound`, when given, says whether the driver was
// there to ask.
IDeckLink* deviceAt(int index, bool* apiFound = nullptr);

#endif  // CORVANE_DECKLINK_DEVICE_WALK_H
