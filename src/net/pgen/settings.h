// The PGenerator settings commands: CMD:SET_<NAME>:<value> and SETCONF:...
// Two of them ask for colour signalling, and corvane honours them:
//   SET_IS_HDR:1 / :0        HDR on (the HDR signalling corvane was started
//                            with, or PQ with the HDR10 defaults) or off
//   SET_COLORIMETRY:9 / :0 / :2
//                            Rec.2020, or the default / BT.709: Rec.709
// (also written SET_PGENERATOR_CONF_<NAME>:<value>, the name the queries
// use). corvane outputs 10-bit RGB 4:4:4 at the mode it was started with,
// so every other setting (output format, range, Dolby Vision, ...) is
// accepted and ignored, with a line that says so.
#ifndef CORVANE_NET_PGEN_SETTINGS_H
#define CORVANE_NET_PGEN_SETTINGS_H

#include <string>

#include "decklink/signalling.h"

struct PgenSetting {
  bool signalling = false;  // true: put `wanted` on the card
  Signalling wanted;
  std::string line;  // when ignored: the line to print
};

// Reads the setting `command` (the whole command, as received), given the
// signalling the card carries now and what HDR means when a host turns it on.
PgenSetting readPgenSetting(const std::string& command, const Signalling& current,
                            const Signalling& hdrOn);

#endif  // CORVANE_NET_PGEN_SETTINGS_H
