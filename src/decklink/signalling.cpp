#include "decklink/signalling.h"

#include <cstdio>

namespace {

template <class Value>
struct Named {
  const char* name;
  Value value;
};

const Named<Eotf> kEotfs[] = {{"sdr", Eotf::kSdr}, {"pq", Eotf::kPq}, {"hlg", Eotf::kHlg}};
const Named<ColourSpace> kColourSpaces[] = {{"rec709", ColourSpace::kRec709},
                                            {"rec2020", ColourSpace::kRec2020}};
const Named<Primaries> kPrimaries[] = {{"rec2020", Primaries::kRec2020},
                                       {"p3d65", Primaries::kP3D65},
                                       {"rec709", Primaries::kRec709},
                                       {"dcip3", Primaries::kDciP3},
                                       {"p3d60", Primaries::kP3D60}};

template <class Value, size_t N>
const char* nameOf(const Named<Value> (&names)[N], Value value) {
  for (const auto& named : names) {
    if (named.value == value) return named.name;
  }
  return "?";
}

template <class Value, size_t N>
bool valueOf(const Named<Value> (&names)[N], const std::string& name, Value* value) {
  for (const auto& named : names) {
    if (name == named.name) {
      *value = named.value;
      return true;
    }
  }
  return false;
}

bool isLuminance(int value) { return value >= 1 && value <= 65535; }

}  // namespace

Signalling signallingFor(Eotf eotf) {
  Signalling signalling;
  signalling.eotf = eotf;
  signalling.colourSpace = eotf == Eotf::kSdr ? ColourSpace::kRec709 : ColourSpace::kRec2020;
  return signalling;
}

bool operator==(const Signalling& a, const Signalling& b) {
  return a.eotf == b.eotf && a.colourSpace == b.colourSpace && a.primaries == b.primaries &&
         a.maxLuminance == b.maxLuminance && a.minLuminance == b.minLuminance &&
         a.maxCll == b.maxCll && a.maxFall == b.maxFall;
}

bool operator!=(const Signalling& a, const Signalling& b) { return !(a == b); }

bool isPlain(const Signalling& signalling) {
  return signalling.eotf == Eotf::kSdr && signalling.colourSpace == ColourSpace::kRec709;
}

const char* eotfName(Eotf eotf) { return nameOf(kEotfs, eotf); }
const char* colourSpaceName(ColourSpace colourSpace) { return nameOf(kColourSpaces, colourSpace); }
const char* primariesName(Primaries primaries) { return nameOf(kPrimaries, primaries); }

bool eotfByName(const std::string& name, Eotf* eotf) { return valueOf(kEotfs, name, eotf); }

bool colourSpaceByName(const std::string& name, ColourSpace* colourSpace) {
  return valueOf(kColourSpaces, name, colourSpace);
}

bool primariesByName(const std::string& name, Primaries* primaries) {
  return valueOf(kPrimaries, name, primaries);
}

Failure signallingProblem(const Signalling& s) {
  const auto bad = [](const char* problem) { return failure(FailureCode::kBadRequest, problem); };
  if (!isLuminance(s.maxLuminance)) return bad("maximum mastering luminance must be 1-65535 cd/m2");
  if (!isLuminance(s.minLuminance)) {
    return bad("minimum mastering luminance must be 1-65535 (0.0001-6.5535 cd/m2)");
  }
  // Both in 0.0001 cd/m2; the maximum fits easily in a long long.
  if (s.minLuminance >= 10000LL * s.maxLuminance) {
    return bad("minimum mastering luminance must be below the maximum");
  }
  if (!isLuminance(s.maxCll)) return bad("MaxCLL must be 1-65535 cd/m2");
  if (!isLuminance(s.maxFall)) return bad("MaxFALL must be 1-65535 cd/m2");
  return {};
}

std::string signallingText(const Signalling& s) {
  std::string text = std::string(eotfName(s.eotf)) + " colorspace " + colourSpaceName(s.colourSpace);
  if (s.eotf != Eotf::kPq) return text;
  char minimum[32];
  std::snprintf(minimum, sizeof minimum, "%d.%04d", s.minLuminance / 10000, s.minLuminance % 10000);
  return text + " primaries " + primariesName(s.primaries) + " max-luminance " +
         std::to_string(s.maxLuminance) + " min-luminance " + minimum + " max-cll " +
         std::to_string(s.maxCll) + " max-fall " + std::to_string(s.maxFall);
}
