#include "net/pgen/queries.h"

#include "io/format.h"
#include "net/base64.h"

namespace {

std::string modeLine(const PgenFacts& facts) {
  return formatted("1[%dx%d %s]", facts.width, facts.height, facts.modeName.c_str());
}

const char* eotfCode(Eotf eotf) {
  switch (eotf) {
    case Eotf::kPq: return "2";
    case Eotf::kHlg: return "3";
    case Eotf::kSdr: break;
  }
  return "0";
}

const char* primariesCode(const Signalling& s) {
  if (s.eotf != Eotf::kPq) return s.colourSpace == ColourSpace::kRec2020 ? "1" : "0";
  switch (s.primaries) {
    case Primaries::kRec2020: return "1";
    case Primaries::kP3D65: return "2";
    case Primaries::kDciP3: return "3";
    case Primaries::kP3D60: return "4";
    case Primaries::kRec709: break;
  }
  return "0";
}

// A mastering value as the frame carries it: with PQ alone.
std::string pqValue(const Signalling& s, int value) {
  return s.eotf == Eotf::kPq ? std::to_string(value) : "0";
}

}  // namespace

bool pgenQueryValue(const std::string& name, const PgenFacts& facts, std::string* value) {
  const Signalling& s = facts.signalling;
  const bool hdr = s.eotf != Eotf::kSdr;
  const struct {
    const char* name;
    std::string value;
  } fixed[] = {
      {"GET_GPU_MEMORY", "128"},
      {"GET_PGENERATOR_VERSION", "corvane " CORVANE_VERSION},
      {"GET_OUTPUT_RANGE", "RGB 10-bit, codes as sent (no range conversion)"},
      {"GET_PGENERATOR_CONF_COLOR_FORMAT", "0"},
      {"GET_PGENERATOR_CONF_MAX_BPC", "10"},
      {"GET_PGENERATOR_CONF_RGB_QUANT_RANGE", "2"},
      {"GET_PGENERATOR_CONF_COLORIMETRY", s.colourSpace == ColourSpace::kRec2020 ? "9" : "0"},
      {"GET_PGENERATOR_CONF_IS_HDR", hdr ? "1" : "0"},
      {"GET_PGENERATOR_CONF_IS_SDR", hdr ? "0" : "1"},
      {"GET_PGENERATOR_CONF_EOTF", eotfCode(s.eotf)},
      {"GET_PGENERATOR_CONF_PRIMARIES", primariesCode(s)},
      {"GET_PGENERATOR_CONF_MAX_LUMA", pqValue(s, s.maxLuminance)},
      {"GET_PGENERATOR_CONF_MIN_LUMA", pqValue(s, s.minLuminance)},
      {"GET_PGENERATOR_CONF_MAX_CLL", pqValue(s, s.maxCll)},
      {"GET_PGENERATOR_CONF_MAX_FALL", pqValue(s, s.maxFall)},
      {"GET_PGENERATOR_CONF_IS_LL_DOVI", "0"},
      {"GET_PGENERATOR_CONF_IS_STD_DOVI", "0"},
      {"GET_PGENERATOR_CONF_DV_STATUS", "0"},
      {"GET_RESOLUTION", formatted("%dx%d", facts.width, facts.height)},
      {"GET_MODE", modeLine(facts)},
      {"GET_MODES_AVAILABLE", base64(modeLine(facts))},
      {"GET_HOSTNAME", facts.hostName},
  };
  for (const auto& entry : fixed) {
    if (name == entry.name) {
      *value = entry.value;
      return true;
    }
  }
  return false;
}
