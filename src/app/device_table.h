// `corvane list`: the devices and the resolutions at which each can output
// 10-bit RGB 4:4:4, as a fixed-width table.
#ifndef CORVANE_APP_DEVICE_TABLE_H
#define CORVANE_APP_DEVICE_TABLE_H

#include <vector>

#include "decklink/enumerate.h"

// The header, the separator, one row per device (or the no-device line) and
// the legend. Names are padded to 30 columns, never cut.
void printDeviceTable(const std::vector<DeviceInfo>& devices);

// Enumerates and prints the table, or the missing-API message. Always 0:
// the listing is informational.
int listDevices();

#endif  // CORVANE_APP_DEVICE_TABLE_H
