#include "app/pgen_options.h"

#include "app/mode_words.h"
#include "net/endpoint.h"

Failure parsePgenCommandLine(const std::vector<std::string>& words, PgenCommandLine* line) {
  ModeWords read;
  const Failure wrong = readModeWords(words, {"--port", "--listen", "--discovery-port"}, &read);
  if (wrong.failed()) return wrong;
  PgenCommandLine taken;
  taken.device = read.device;
  if (!read.mode.empty()) taken.mode = read.mode;
  for (const auto& [option, value] : read.options) {
    if (option == "--listen") {
      if (value.empty()) {
        return failure(FailureCode::kBadRequest, "--listen needs a host name or address");
      }
      taken.listen = value;
      continue;
    }
    uint16_t* port = option == "--port" ? &taken.options.port : &taken.options.discoveryPort;
    if (!parsePortNumber(value, port)) {
      return failure(FailureCode::kBadRequest,
                     option + " '" + value + "' is not a number from 0 to 65535");
    }
  }
  *line = taken;
  return {};
}
