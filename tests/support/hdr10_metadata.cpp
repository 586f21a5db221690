#include "support/hdr10_metadata.h"

namespace {

CarriedMetadata withPrimaries(double rx, double ry, double gx, double gy, double bx, double by,
                              const Hdr10Values& v) {
  return {0x2,
          {{"cspc", 0x32303230}, {"eotf", 2},           {"hdrx", rx},         {"hdry", ry},
           {"hdgx", gx},         {"hdgy", gy},          {"hdbx", bx},         {"hdby", by},
           {"hdwx", 0.3127},     {"hdwy", 0.3290},      {"hdml", v.maxLuminance},
           {"hmil", v.minLuminance}, {"mcll", v.maxCll}, {"fall", v.maxFall}}};
}

}  // namespace

CarriedMetadata hdr10Rec2020(const Hdr10Values& values) {
  return withPrimaries(0.708, 0.292, 0.170, 0.797, 0.131, 0.046, values);
}

CarriedMetadata hdr10P3(const Hdr10Values& values) {
  return withPrimaries(0.680, 0.320, 0.265, 0.690, 0.150, 0.060, values);
}

CarriedMetadata hdr10Rec709(const Hdr10Values& values) {
  return withPrimaries(0.640, 0.330, 0.300, 0.600, 0.150, 0.060, values);
}
