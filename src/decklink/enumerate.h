// A snapshot of the attached DeckLink devices and what each can output.
#ifndef CORVANE_DECKLINK_ENUMERATE_H
#define CORVANE_DECKLINK_ENUMERATE_H

#include <string>
#include <vector>

#include "decklink/output_mode.h"

struct DeviceInfo {
  std::string name;                // UTF-8; "(unknown)" when unreadable
  bool output = false;             // the device has a video output interface
  bool modes[kModeCount] = {};     // 'r210' supported at kModes[i]
  bool usable = false;             // at least one of `modes`
};

// Appends one record per device, in the driver's order; a device's position
// is the index openDevice takes. Returns false, appending nothing, only when
// the DeckLink API is missing. Every interface it obtains is released before
// it returns, and the held device is neither read nor changed.
bool enumerate(std::vector<DeviceInfo>* devices);

#endif  // CORVANE_DECKLINK_ENUMERATE_H
