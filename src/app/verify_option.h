// `--verify <in-device>` for the ways in (run, serve, resolve, pgen): each
// picture shown is captured back through that device's input and compared
// before it is answered (decklink/shown_frame_proof.h).
#ifndef CORVANE_APP_VERIFY_OPTION_H
#define CORVANE_APP_VERIFY_OPTION_H

#include <string>
#include <vector>

#include "decklink/failure.h"

// Takes `--verify <in-device>` out of `args`, wherever it stands, leaving
// the other words in order, and when it was there proves every shown
// picture through that device from now on. Fails (bad_request) for
// --verify without a device number.
Failure takeVerifyOption(std::vector<std::string>* args);

// The capture hand-over waits for frames at the holding modes' safe
// points: SIGINT and SIGTERM end the program while it waits.
void waitForArrivalsAtSafePoints();

#endif  // CORVANE_APP_VERIFY_OPTION_H
