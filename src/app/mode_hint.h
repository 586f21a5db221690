// What a person is told besides "unknown resolution" or "cannot output ...
// at this resolution" when a mode they typed cannot be held: the forms a
// mode takes, or that the card lacks the rate, not the resolution.
#ifndef CORVANE_APP_MODE_HINT_H
#define CORVANE_APP_MODE_HINT_H

#include <string>

#include "decklink/failure.h"

// "a mode is hd, uhd or 4k, alone (24p) or with @23.98, @24, ... or @60",
// from the program's table of modes.
std::string modeFormsLine();

// The second line after device `index` refused `modeName` with `refused`:
// the forms for an unknown mode (bad_request); for a mode the device
// cannot output (unsupported) whose resolution it outputs at other rates,
// that it is the rate; else "".
std::string modeHint(int index, const char* modeName, const Failure& refused);

#endif  // CORVANE_APP_MODE_HINT_H
