// What one device can output in 'r210' at every resolution and rate: the
// answer of `corvane modes` and of the serve request "modes".
#ifndef CORVANE_DECKLINK_MODE_TABLE_H
#define CORVANE_DECKLINK_MODE_TABLE_H

#include <string>

#include "decklink/failure.h"
#include "decklink/output_mode.h"

struct ModeTable {
  std::string name;  // the device's display name, as enumerate reads it
  // 'r210' supported at modeAt(resolution, rate)
  bool supported[kModeCount][kRateCount] = {};
};

// Asks device `index` (0-based, as openDevice takes it) about every mode.
// Fills `table`, or fails with no_api (no driver), no_device or no_output.
// Every interface it obtains is released before it returns, and the held
// device is neither read nor changed.
Failure readModeTable(int index, ModeTable* table);

#endif  // CORVANE_DECKLINK_MODE_TABLE_H
