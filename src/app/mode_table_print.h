// `corvane modes <device>`: what one device can output at every resolution
// and rate, as a fixed-width table in the style of `corvane list`.
#ifndef CORVANE_APP_MODE_TABLE_PRINT_H
#define CORVANE_APP_MODE_TABLE_PRINT_H

#include "decklink/mode_table.h"

// Reads the table of device number `index` and prints it: 0. Without a
// driver, a device or an output, prints why: 1.
int listModes(int index);

#endif  // CORVANE_APP_MODE_TABLE_PRINT_H
