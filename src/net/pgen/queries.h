// The PGenerator queries (GET_...): what corvane answers about itself and
// the picture it outputs.
#ifndef CORVANE_NET_PGEN_QUERIES_H
#define CORVANE_NET_PGEN_QUERIES_H

#include <cstdint>
#include <string>

// What the answers are made of: the held mode, the colour signalling and
// the computer's name.
struct PgenFacts {
  int32_t width = 0;
  int32_t height = 0;
  std::string modeName;  // the held mode's word, as on the command line
  std::string hostName;
  bool hdr = false;      // the card signals PQ or HLG
  bool rec2020 = false;  // the card signals the Rec.2020 colour space
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
//   GET_OUTPUT_RANGE        "RGB Full": codes go out as the host sends them
//   GET_PGENERATOR_CONF_COLOR_FORMAT     "0" (RGB)
//   GET_PGENERATOR_CONF_RGB_QUANT_RANGE  "2" (full: no range conversion)
//   GET_PGENERATOR_CONF_COLORIMETRY      "9" (BT.2020 RGB) when the card
//                                        signals Rec.2020, else "0" (default)
//   GET_PGENERATOR_CONF_IS_HDR           "1" when it signals HDR, else "0"
//   GET_PGENERATOR_CONF_IS_LL_DOVI       "0"
// Returns false for any other name.
bool pgenQueryValue(const std::string& name, const PgenFacts& facts, std::string* value);

#endif  // CORVANE_NET_PGEN_QUERIES_H
