// The PGenerator settings commands: CMD:SET_<NAME>:<value> (output format,
// range, colorimetry, HDR, Dolby Vision, ...) and SETCONF:<...>. corvane
// outputs 10-bit RGB 4:4:4 at the mode it was started with and signals no
// HDR yet, so each is accepted and ignored, with a line that says so.
//
// This is the one place where they arrive: once the card can signal HDR
// (IS_HDR, the EOTF, the mastering metadata), SET_IS_HDR and its peers are
// wired here to that signalling.
#ifndef CORVANE_NET_PGEN_SETTINGS_H
#define CORVANE_NET_PGEN_SETTINGS_H

#include <string>

// Applies the setting `command` (the whole command, as received) and
// returns the line to print about it.
std::string applyPgenSetting(const std::string& command);

#endif  // CORVANE_NET_PGEN_SETTINGS_H
