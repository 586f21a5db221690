#include "net/pgen/queries.h"

#include "io/format.h"
#include "net/base64.h"

namespace {

std::string modeLine(const PgenScreen& screen) {
  return formatted("1[%dx%d %s]", screen.width, screen.height, screen.modeName.c_str());
}

}  // namespace

bool pgenQueryValue(const std::string& name, const PgenScreen& screen, std::string* value) {
  const struct {
    const char* name;
    std::string value;
  } fixed[] = {
      {"GET_GPU_MEMORY", "128"},
      {"GET_PGENERATOR_VERSION", "corvane " CORVANE_VERSION},
      {"GET_OUTPUT_RANGE", "RGB Full"},
      {"GET_PGENERATOR_CONF_COLOR_FORMAT", "0"},
      {"GET_PGENERATOR_CONF_RGB_QUANT_RANGE", "2"},
      {"GET_PGENERATOR_CONF_COLORIMETRY", screen.rec2020 ? "9" : "0"},
      {"GET_PGENERATOR_CONF_IS_HDR", screen.hdr ? "1" : "0"},
      {"GET_PGENERATOR_CONF_IS_LL_DOVI", "0"},
      {"GET_RESOLUTION", formatted("%dx%d", screen.width, screen.height)},
      {"GET_MODE", modeLine(screen)},
      {"GET_MODES_AVAILABLE", base64(modeLine(screen))},
      {"GET_HOSTNAME", screen.hostName},
  };
  for (const auto& entry : fixed) {
    if (name == entry.name) {
      *value = entry.value;
      return true;
    }
  }
  return false;
}
