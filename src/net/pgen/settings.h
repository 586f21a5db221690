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

// What a setting asks of the card's signalling.
enum class PgenSignalling {
  kNothing,  // an ignored setting
  kHdrOn,    // IS_HDR 1: the HDR signalling of the command line (or PQ)
  kHdrOff,   // IS_HDR 0: SDR, the colour space as it is
  kRec2020,  // COLORIMETRY 9
  kRec709,   // COLORIMETRY 0 or 2
};

struct PgenSetting {
  PgenSignalling asks = PgenSignalling::kNothing;
  std::string line;  // when ignored: the line to print
};

// Reads the setting `command` (the whole command, as received): the one
// reading of a settings command, which interpretPgenCommand
// (net/pgen/command.h) makes and the connection applies.
PgenSetting readPgenSetting(const std::string& command);

// The signalling `asks` puts on the card, given the signalling it carries
// now and what HDR means when a host turns it on; `current` for kNothing.
Signalling wantedSignalling(PgenSignalling asks, const Signalling& current,
                            const Signalling& hdrOn);

#endif  // CORVANE_NET_PGEN_SETTINGS_H
