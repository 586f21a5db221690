#ifndef CORVANE_APP_RESOLVE_MAIN_H
#define CORVANE_APP_RESOLVE_MAIN_H

#include <string>
#include <vector>

// `corvane resolve <host>[:<port>] [<device> [<mode>]] [<signalling>]`, given
// the words after "resolve": finds the host, holds the card, puts the
// signalling on it and runs the Resolve target until a signal ends it.
// Returns 1 when an option cannot be read, the host or the card cannot be
// had, or the card refuses the signalling (with the usage text when the
// host is missing); otherwise the program ends through the signal handler
// with 130.
int resolveMain(const std::vector<std::string>& words);

#endif  // CORVANE_APP_RESOLVE_MAIN_H
