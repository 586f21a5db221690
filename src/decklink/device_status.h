// What a device says it is doing now (IDeckLinkStatus), in words: the mode
// and pixel format it outputs, and what it receives at its input.
#ifndef CORVANE_DECKLINK_DEVICE_STATUS_H
#define CORVANE_DECKLINK_DEVICE_STATUS_H

#include <string>

#include "decklink/decklink_api.h"

// "outputting 24ps in r210", or "status not available" when the device
// offers no status interface. Items the device does not answer are left
// out.
std::string outputStatusText(IDeckLink* device);

// "signal locked, detected 24ps (RGB 4:4:4, 10-bit), capturing 24ps in
// r210" or "no signal locked, ...".
std::string inputStatusText(IDeckLink* device);

// The mode the device detects at its input, as its four letters ("Hp25");
// "" when it does not say or detects none.
std::string detectedInputMode(IDeckLink* device);

#endif  // CORVANE_DECKLINK_DEVICE_STATUS_H
