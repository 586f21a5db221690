// `corvane list`: the devices and the resolutions at which each can output
// 10-bit RGB 4:4:4, as a fixed-width table.
#ifndef CORVANE_APP_DEVICE_TABLE_H
#define CORVANE_APP_DEVICE_TABLE_H

// Enumerates and prints the table, or the missing-API message. Always 0:
// the listing is informational.
int listDevices();

#endif  // CORVANE_APP_DEVICE_TABLE_H
