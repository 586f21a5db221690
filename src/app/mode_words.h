// The command line of a mode that holds a card: up to two words, the
// device and the mode, and options of one value each, in any order
// (`corvane pgen 0 uhd --port 85`, `corvane check --seconds 0 1`).
#ifndef CORVANE_APP_MODE_WORDS_H
#define CORVANE_APP_MODE_WORDS_H

#include <map>
#include <string>
#include <vector>

#include "decklink/failure.h"

struct ModeWords {
  std::string device = "0";                    // as typed; text that is not a number is device 0
  std::string mode;                            // "" when not given
  std::map<std::string, std::string> options;  // "--port" -> "85"
};

// Reads `words`, taking the options named in `known`. Fails (bad_request)
// for a third word, an option not in `known`, or an option without its
// value, saying which.
Failure readModeWords(const std::vector<std::string>& words, const std::vector<std::string>& known,
                      ModeWords* read);

#endif  // CORVANE_APP_MODE_WORDS_H
