// Readers for the kinds of value the configuration uses. Each returns false
// with `problem` set when the text is not a value of its kind.
#ifndef DECKLINK_SIM_CONFIG_VALUES_H
#define DECKLINK_SIM_CONFIG_VALUES_H

#include <string>

#include "decklink/decklink_api.h"

bool readBool(const std::string& text, bool* value, std::string* problem);
bool readResult(const std::string& text, HRESULT* value, std::string* problem);
// A decimal count from `minimum` up to 2^31 - 1.
bool readCount(const std::string& text, long minimum, long* value, std::string* problem);

#endif  // DECKLINK_SIM_CONFIG_VALUES_H
