// Replacing the simulated setup: by decklink_sim_configure, and from the
// environment at the first use of the entry point.
#ifndef DECKLINK_SIM_SETUP_APPLY_SETUP_H
#define DECKLINK_SIM_SETUP_APPLY_SETUP_H

#include <string>

#include "state/sim_state.h"

// Makes `setup` the current one and clears the log, the accounting, the
// misuse count and the captured frames. Outputs enabled under the old setup
// are ended. When the log file cannot be opened, applies an empty setup
// instead and returns false with `problem` set.
bool applySetup(SimState& state, const SimSetup& setup, std::string* problem);

// Writes the line that starts a new setup into the log file, for
// decklink_sim_configure; the first setup of a process needs none.
void markReconfigured(SimState& state);

// Applies the environment's setup, reporting problems on stderr. Returns
// false when the environment named a setup that could not be read.
bool applyEnvironmentSetup(SimState& state);

// The environment's setup, unless a configure came first.
void ensureSetup(SimState& state);

#endif  // DECKLINK_SIM_SETUP_APPLY_SETUP_H
