// `corvane modes <device>`: what one device can output at every resolution
// and rate, as a fixed-width table in the style of `corvane list`.
#ifndef CORVANE_APP_MODE_TABLE_PRINT_H
#define CORVANE_APP_MODE_TABLE_PRINT_H

#include "decklink/mode_table.h"

// The device line, the header, the separator, one row per rate and the
// legend.
void printModeTable(int index, const ModeTable& table);

// Reads the table of device `deviceArgument` (as typed; text that is not a
// number is device 0) and prints it: 0. Without a driver, a device or an
// output, prints why: 1.
int listModes(const char* deviceArgument);

#endif  // CORVANE_APP_MODE_TABLE_PRINT_H
