// The setup a process gets from its environment, for programs run as child
// processes of a test (sim/README.md lists the variables).
#ifndef DECKLINK_SIM_SETUP_SETUP_FROM_ENVIRONMENT_H
#define DECKLINK_SIM_SETUP_SETUP_FROM_ENVIRONMENT_H

#include "setup/setup.h"

// Reads DECKLINK_SIM_CONFIG (a file), DECKLINK_SIM_DEVICES (cards, replacing
// the file's), and DECKLINK_SIM_LOG / _CAPTURE / _HOLD_DIR (replacing the
// file's [log], [capture] and [hold] settings). With neither CONFIG nor
// DEVICES: the default single card. A file that cannot be read or has a bad
// line, or bad DEVICES text, gives one message on stderr and no card.
// Returns false in those cases.
bool setupFromEnvironment(SimSetup* setup);

#endif  // DECKLINK_SIM_SETUP_SETUP_FROM_ENVIRONMENT_H
