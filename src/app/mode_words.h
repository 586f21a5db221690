// The command line of a mode that holds a card: up to two words, the
// device and the mode (resolve's host before them), and options of one
// value each, in any order (`corvane pgen 0 uhd --port 85`, `corvane check
// --seconds 0 1`, `corvane resolve 127.0.0.1 0 uhd`); and the device
// number of `corvane run` and `corvane modes`, read as they always were.
#ifndef CORVANE_APP_MODE_WORDS_H
#define CORVANE_APP_MODE_WORDS_H

#include <map>
#include <string>
#include <vector>

#include "decklink/failure.h"

struct ModeWords {
  std::string host;                            // with `host`: the first word; "" when not given
  int device = 0;                              // 0 when not given
  std::string mode;                            // "" when not given
  std::map<std::string, std::string> options;  // "--port" -> "85"
};

// Reads `words`, taking the options named in `known`, and with `host` a
// host word before the device. Fails (bad_request) for a word too many, an
// option not in `known`, an option without its value, or a device word
// that is not a number ("device 'uhd' is not a number"), saying which.
Failure readModeWords(const std::vector<std::string>& words, const std::vector<std::string>& known,
                      ModeWords* read, bool host = false);

// A device word read whole as a decimal number; false for any other text.
bool readDeviceNumber(const std::string& word, int* device);

// The device number of `corvane run` and `corvane modes`: a leading decimal
// number as "%d" reads it; text that is not a number is device 0.
int deviceNumberOf(const char* typed);

#endif  // CORVANE_APP_MODE_WORDS_H
