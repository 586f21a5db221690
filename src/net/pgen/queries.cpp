#include "net/pgen/queries.h"

#include "io/format.h"
#include "net/base64.h"

namespace {

std::string modeLine(const PgenFacts& facts) {
  return formatted("1[%dx%d %s]", facts.width, facts.height, facts.modeName.c_str());
}

}  // namespace

bool pgenQueryValue(const std::string& name, const PgenFacts& facts, std::string* value) {
  const struct {
    const char* name;
    std::string value;
  } fixed[] = {
      {"GET_GPU_MEMORY", "128"},
      {"GET_PGENERATOR_VERSION", "corvane " CORVANE_VERSION},
      {"GET_OUTPUT_RANGE", "RGB Full"},
      {"GET_PGENERATOR_CONF_COLOR_FORMAT", "0"},
      {"GET_PGENERATOR_CONF_RGB_QUANT_RANGE", "2"},
      {"GET_PGENERATOR_CONF_COLORIMETRY", facts.rec2020 ? "9" : "0"},
      {"GET_PGENERATOR_CONF_IS_HDR", facts.hdr ? "1" : "0"},
      {"GET_PGENERATOR_CONF_IS_LL_DOVI", "0"},
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
