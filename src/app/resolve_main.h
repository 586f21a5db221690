#ifndef CORVANE_APP_RESOLVE_MAIN_H
#define CORVANE_APP_RESOLVE_MAIN_H

#include "app/signalling_options.h"

// `corvane resolve <host>[:<port>] [<device> [<mode>]] [<signalling>]`:
// finds the host, holds the card, puts the signalling on it and runs the
// Resolve target until a signal ends it. Returns 1 when the host or the
// card cannot be had, or the card refuses the signalling; otherwise the
// program ends through the signal handler with 130.
int resolveMain(const char* target, const char* deviceArgument, const char* resolution,
                const SignallingOptions& signalling);

#endif  // CORVANE_APP_RESOLVE_MAIN_H
