// The colour signalling the held frame carries: SDR, or HDR as PQ or HLG,
// in a colour space, and for PQ the static metadata of HDR10 (mastering
// primaries with a D65 white, mastering luminance, MaxCLL, MaxFALL). A
// plain record; setSignalling (decklink/device_hold.h) puts it on the card.
#ifndef CORVANE_DECKLINK_SIGNALLING_H
#define CORVANE_DECKLINK_SIGNALLING_H

#include <string>

#include "decklink/failure.h"

enum class Eotf { kSdr, kPq, kHlg };
enum class ColourSpace { kRec709, kRec2020 };
// The mastering display's primaries, named sets; the white is D65 for all.
enum class Primaries { kRec2020, kP3D65, kRec709 };

struct Signalling {
  Eotf eotf = Eotf::kSdr;
  ColourSpace colourSpace = ColourSpace::kRec709;
  // PQ only; whole numbers, as the serve protocol carries them.
  Primaries primaries = Primaries::kRec2020;
  int maxLuminance = 1000;  // cd/m2, 1-65535
  int minLuminance = 1;     // in 0.0001 cd/m2, 1-65535 (0.0001-6.5535 cd/m2)
  int maxCll = 1000;        // cd/m2, 1-65535
  int maxFall = 400;        // cd/m2, 1-65535
};

// The common choice for `eotf`: Rec.2020 for PQ and HLG, Rec.709 for SDR,
// and the PQ defaults above.
Signalling signallingFor(Eotf eotf);

// SDR in Rec.709: what every frame carries before it is told otherwise, a
// frame without metadata.
bool isPlain(const Signalling& signalling);

// Names as typed and sent: "sdr" "pq" "hlg"; "rec709" "rec2020"; "rec2020"
// "p3d65" "rec709". Each reader returns false for any other text.
const char* eotfName(Eotf eotf);
const char* colourSpaceName(ColourSpace colourSpace);
const char* primariesName(Primaries primaries);
bool eotfByName(const std::string& name, Eotf* eotf);
bool colourSpaceByName(const std::string& name, ColourSpace* colourSpace);
bool primariesByName(const std::string& name, Primaries* primaries);

// No failure when every value is in its range and the minimum luminance is
// below the maximum; otherwise bad_request saying what is wrong.
Failure signallingProblem(const Signalling& signalling);

// The signalling in the words a person types after "hdr":
// "pq colorspace rec2020 primaries rec2020 max-luminance 1000
//  min-luminance 0.0001 max-cll 1000 max-fall 400", "hlg colorspace rec2020".
std::string signallingText(const Signalling& signalling);

#endif  // CORVANE_DECKLINK_SIGNALLING_H
