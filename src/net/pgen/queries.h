// The PGenerator queries (GET_...): what corvane answers about itself and
// the picture it outputs.
#ifndef CORVANE_NET_PGEN_QUERIES_H
#define CORVANE_NET_PGEN_QUERIES_H

#include <cstdint>
#include <string>

#include "decklink/signalling.h"

// What the answers are made of: the held mode, the colour signalling and
// the computer's name.
struct PgenFacts {
  int32_t width = 0;
  int32_t height = 0;
  std::string modeName;  // the held mode's word, as on the command line
  std::string hostName;
  Signalling signalling = {};  // what the card's frame carries
};

// The value of the query `name` (without "CMD:"):
//   GET_RESOLUTION          "<W>x<H>"
//   GET_GPU_MEMORY          "128": below 192, at which HCFR would send its
//                           RGB=IMAGE ramps, which corvane does not draw
//   GET_PGENERATOR_VERSION  "corvane <version>"
//   GET_MODE                "1[<W>x<H> <mode>]": the one mode corvane
//                           offers, the held one (it cannot switch on a
//                           host's request), in the shape of the hosts'
//                           mode lines; the mode word names the rate
//   GET_MODES_AVAILABLE     the GET_MODE line in base64
//   GET_HOSTNAME            the computer's name
//   GET_OUTPUT_RANGE        "RGB 10-bit, codes as sent (no range
//                           conversion)": corvane sets no range of its own
//   GET_PGENERATOR_CONF_COLOR_FORMAT     "0" (RGB)
//   GET_PGENERATOR_CONF_MAX_BPC          "10"
//   GET_PGENERATOR_CONF_RGB_QUANT_RANGE  "2" (full: no range conversion)
//   GET_PGENERATOR_CONF_COLORIMETRY      "9" (BT.2020 RGB) when the card
//                                        signals Rec.2020, else "0" (default)
//   GET_PGENERATOR_CONF_IS_HDR, _IS_SDR  "1" / "0" as it signals PQ or HLG
//   GET_PGENERATOR_CONF_EOTF             "0" SDR, "2" PQ, "3" HLG
//   GET_PGENERATOR_CONF_PRIMARIES        with PQ the mastering display's
//                                        (0 Rec.709, 1 Rec.2020, 2 P3-D65,
//                                        3 DCI-P3, 4 P3-D60), else the
//                                        colour space's (0 or 1)
//   GET_PGENERATOR_CONF_MAX_LUMA, _MIN_LUMA (0.0001 cd/m2), _MAX_CLL,
//   _MAX_FALL                            with PQ the values the frame
//                                        carries, else "0" (none sent)
//   GET_PGENERATOR_CONF_IS_LL_DOVI, _IS_STD_DOVI, _DV_STATUS   "0"
// Returns false for any other name.
bool pgenQueryValue(const std::string& name, const PgenFacts& facts, std::string* value);

#endif  // CORVANE_NET_PGEN_QUERIES_H
