// Reads the setup text: the configuration language sim/README.md describes.
#ifndef DECKLINK_SIM_SETUP_SETUP_PARSER_H
#define DECKLINK_SIM_SETUP_SETUP_PARSER_H

#include <string>

#include "setup/setup.h"

struct SetupTextError {
  int line = 0;  // 1-based
  std::string message;
};

// Fills `setup` from `text`. On the first line it cannot read, returns false
// with `error` naming the line and what is wrong with it.
bool parseSetupText(const std::string& text, SimSetup* setup, SetupTextError* error);

// Splits "key = value" around its first '=', trimming spaces and tabs around
// both. False when there is no '=' or no key.
bool splitKeyValue(const std::string& line, std::string* key, std::string* value);

#endif  // DECKLINK_SIM_SETUP_SETUP_PARSER_H
