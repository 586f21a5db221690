// The PGenerator settings commands, CMD:SET_<NAME>:<value> (also written
// SET_PGENERATOR_CONF_<NAME>:<value>, the name the queries use), honoured
// or refused, never pretended. Those of the colour signalling become the
// signalling the card carries:
//   IS_HDR:1, IS_SDR:0    HDR on: kept when the card signals HDR already,
//                         else the HDR corvane was started with (PQ with
//                         HDR10's defaults unless told otherwise)
//   IS_HDR:0, IS_SDR:1, EOTF:0   SDR
//   EOTF:2, EOTF:3        PQ, HLG (from SDR: as HDR on, with this EOTF)
//   COLORIMETRY:9 / :0 / :2      Rec.2020, or the default / BT.709: Rec.709
//   PRIMARIES:0-4         the mastering display's Rec.709, Rec.2020,
//                         P3-D65, DCI-P3, P3-D60
//   MAX_LUMA, MAX_CLL, MAX_FALL  whole cd/m2; MIN_LUMA in 0.0001 cd/m2
// The mastering values go out with PQ alone, so they are refused while the
// card signals SDR or HLG. What corvane always sends is accepted when the
// host asks for it and refused otherwise: COLOR_FORMAT 0 (RGB), MAX_BPC 10,
// RGB_QUANT_RANGE 2 (codes as sent, no range conversion), and Dolby Vision
// off (IS_LL_DOVI, IS_STD_DOVI, DV_STATUS, DV_INTERFACE 0). Any other
// setting is refused.
#ifndef CORVANE_NET_PGEN_SETTINGS_H
#define CORVANE_NET_PGEN_SETTINGS_H

#include <string>

#include "decklink/signalling.h"

// What a setting asks of the card's signalling.
enum class PgenSignalling {
  kNothing,  // nothing to change: what corvane always sends, or refused
  kHdrOn,
  kHdrOff,
  kPq,
  kHlg,
  kRec2020,
  kRec709,
  kPrimaries,  // `value`: the mastering primaries' code, 0-4
  kMaxLuminance,
  kMinLuminance,
  kMaxCll,
  kMaxFall,  // the luminances: `value` as sent
};

struct PgenSetting {
  PgenSignalling asks = PgenSignalling::kNothing;
  int value = 0;
  std::string refusal;  // why it is refused whatever the card signals; "" if not
};

// Reads the setting `command` (the whole command, as received): the one
// reading of a settings command, which interpretPgenCommand
// (net/pgen/command.h) makes and the connection settles.
PgenSetting readPgenSetting(const std::string& command);

// What a setting comes to, given the signalling the card carries now and
// what HDR means when a host turns it on.
struct PgenSettled {
  enum class Outcome {
    kApply,        // put `wanted` on the card; OK: once it is there
    kAlreadyTrue,  // OK: with nothing to do
    kRefused,      // "ERR:<why>"
  };
  Outcome outcome = Outcome::kRefused;
  Signalling wanted;
  std::string why;
};
PgenSettled settlePgenSetting(const PgenSetting& setting, const Signalling& current,
                              const Signalling& hdrOn);

#endif  // CORVANE_NET_PGEN_SETTINGS_H
