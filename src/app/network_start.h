// The start every network mode shares around reading its own command line
// and looking up its hosts: a mode adds only its words and its hosts.
#ifndef CORVANE_APP_NETWORK_START_H
#define CORVANE_APP_NETWORK_START_H

#include <string>

#include "app/signalling_options.h"

// Before anything is held: the release on the terminating signals installed
// and the signals open, so that they end the program wherever it is (with
// their status, as at every later moment), in a host name's lookup too. A
// network mode's release says why it ended in a last line ("ended by
// SIGTERM: output disabled, device released.").
void openSignalsUntilHeld();

// With the command line read and the hosts found: holds the card at
// `device` and `mode` (app/hold_card.h, printing without ever waiting for
// standard output) and, before anything is shown, puts
// the command line's signalling on it, printing "signalling: <words>"
// (nothing without --hdr). Returns false, having said why, with the card
// released when the card refuses the signalling ("Could not set the
// signalling: <message> (<code>)"): the mode then ends with status 1.
bool holdCardForNetwork(int device, const std::string& mode,
                        const SignallingOptions& signalling);

#endif  // CORVANE_APP_NETWORK_START_H
