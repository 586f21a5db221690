// The start every network mode shares around reading its own command line
// and looking up its hosts: a mode adds only its words and its hosts.
#ifndef CORVANE_APP_NETWORK_START_H
#define CORVANE_APP_NETWORK_START_H

#include <string>

#include "app/signalling_options.h"

// Before anything is held: the release on SIGINT and SIGTERM installed and
// the two signals open, so that they end the program wherever it is (with
// 130, as at every later moment), in a host name's lookup too.
void openSignalsUntilHeld();

// With the command line read and the hosts found: holds the card at
// `device` and `mode` (app/hold_card.h) and, before anything is shown, puts
// the command line's signalling on it, printing "signalling: <words>"
// (nothing without --hdr). Returns false, having said why, with the card
// released when the card refuses the signalling ("Could not set the
// signalling: <message> (<code>)"): the mode then ends with status 1.
bool holdCardForNetwork(int device, const std::string& mode,
                        const SignallingOptions& signalling);

#endif  // CORVANE_APP_NETWORK_START_H
