#ifndef CORVANE_APP_PGEN_MAIN_H
#define CORVANE_APP_PGEN_MAIN_H

#include <string>
#include <vector>

// `corvane pgen [<device> [<mode>]] [--port N] [--listen HOST]
// [--discovery-port N]`: holds the card and serves PGenerator hosts until a
// signal ends it. Returns 1 for a wrong command line, a card that cannot be
// held, or a port that cannot be bound (the card then released); otherwise
// the program ends through the signal handler with 130. `program` is the
// path it was started by, for the advice about privileged ports.
int pgenMain(const std::string& program, const std::vector<std::string>& words);

#endif  // CORVANE_APP_PGEN_MAIN_H
