// The HDR10 metadata the simulated card should record for PQ, written out
// as literal values: the mastering primaries of each named set with the
// D65 white, and the luminance values as given.
#ifndef CORVANE_TESTS_SUPPORT_HDR10_METADATA_H
#define CORVANE_TESTS_SUPPORT_HDR10_METADATA_H

#include "support/frames.h"

struct Hdr10Values {
  double maxLuminance = 1000;  // cd/m2
  double minLuminance = 0.0001;
  double maxCll = 1000;
  double maxFall = 400;
};

// flags 0x2, colour space Rec.2020, EOTF 2 (PQ), Rec.2020, P3-D65 or
// Rec.709 primaries, D65 white, and `values`.
CarriedMetadata hdr10Rec2020(const Hdr10Values& values = Hdr10Values());
CarriedMetadata hdr10P3(const Hdr10Values& values);
CarriedMetadata hdr10Rec709(const Hdr10Values& values = Hdr10Values());

#endif  // CORVANE_TESTS_SUPPORT_HDR10_METADATA_H
