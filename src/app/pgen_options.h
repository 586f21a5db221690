// The command line of `corvane pgen`:
//   corvane pgen [<device> [<mode>]] [--port N] [--listen HOST]
//                [--discovery-port N]
// options before, between or after the two words.
#ifndef CORVANE_APP_PGEN_OPTIONS_H
#define CORVANE_APP_PGEN_OPTIONS_H

#include <string>
#include <vector>

#include "decklink/failure.h"
#include "net/pgen/server.h"

struct PgenCommandLine {
  int device = 0;
  std::string mode = "hd";  // checked by the device layer when the card is held
  std::string listen;       // --listen: a host name or address; "" for all interfaces
  PgenOptions options;      // all but the listening addresses, which `listen` names
};

// Reads the words after "pgen". Fails (bad_request) as readModeWords does
// (app/mode_words.h), and for a port that is not a number from 0 to 65535
// or an empty --listen.
Failure parsePgenCommandLine(const std::vector<std::string>& words, PgenCommandLine* line);

#endif  // CORVANE_APP_PGEN_OPTIONS_H
