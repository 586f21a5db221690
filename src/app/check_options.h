// The command line of `corvane check`:
//   corvane check [<device> [<mode>]] [--seconds S]
// the option before, between or after the two words.
#ifndef CORVANE_APP_CHECK_OPTIONS_H
#define CORVANE_APP_CHECK_OPTIONS_H

#include <string>
#include <vector>

#include "decklink/failure.h"

// How long each picture stays on the card when nothing else is said: long
// enough for a person to see it, short enough that a card's every mode is
// checked in a few minutes.
constexpr double kCheckSecondsPerPicture = 1.0;
// The longest a picture may be held (--seconds).
constexpr double kCheckMaxSecondsPerPicture = 10.0;

struct CheckCommandLine {
  int device = 0;
  std::string mode;          // empty: every mode the card offers
  double seconds = kCheckSecondsPerPicture;
};

// Reads the words after "check". Fails (bad_request) as readModeWords does
// (app/mode_words.h), and for a --seconds that is not a plain decimal from
// 0 to 10 ("0", "0.2", "5").
Failure parseCheckCommandLine(const std::vector<std::string>& words, CheckCommandLine* line);

#endif  // CORVANE_APP_CHECK_OPTIONS_H
