// Reads the configuration text (sim/README.md describes it).
#ifndef DECKLINK_SIM_CONFIG_PARSER_H
#define DECKLINK_SIM_CONFIG_PARSER_H

#include <string>

#include "sim_config.h"

struct ConfigError {
  int line = 0;  // 1-based
  std::string message;
};

// Fills `setup` from `text`. On the first line it cannot read, returns false
// with `error` naming the line and what is wrong with it.
bool parseConfigText(const std::string& text, SimConfig* setup, ConfigError* error);

// Applies one `key = value` of a [device] section to `card`. Returns false
// with `problem` set for an unknown key or an unreadable value.
bool applyDeviceKey(const std::string& key, const std::string& value, CardConfig* card,
                    std::string* problem);

// Splits "key = value" around its first '=', trimming spaces and tabs around
// both. False when there is no '=' or no key.
bool splitKeyValue(const std::string& line, std::string* key, std::string* value);

#endif  // DECKLINK_SIM_CONFIG_PARSER_H
