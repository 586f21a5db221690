#include "app/pgen_options.h"

#include "net/endpoint.h"

namespace {

bool readPort(const std::string& option, const std::string& text, uint16_t* port,
              std::string* problem) {
  if (parsePortNumber(text, port)) return true;
  *problem = option + " '" + text + "' is not a number from 0 to 65535";
  return false;
}

}  // namespace

bool parsePgenCommandLine(const std::vector<std::string>& words, PgenCommandLine* line,
                          std::string* problem) {
  PgenCommandLine read;
  size_t positional = 0;
  for (size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (word.rfind("--", 0) != 0) {
      if (positional == 2) {
        *problem = "one word too many: '" + word + "'";
        return false;
      }
      (positional++ == 0 ? read.device : read.mode) = word;
      continue;
    }
    if (word != "--port" && word != "--listen" && word != "--discovery-port") {
      *problem = "unknown option '" + word + "'";
      return false;
    }
    if (i + 1 == words.size()) {
      *problem = word + " needs a value";
      return false;
    }
    const std::string& value = words[++i];
    if (word == "--listen") {
      if (value.empty()) {
        *problem = "--listen needs a host name or address";
        return false;
      }
      read.listen = value;
    } else if (!readPort(word, value,
                         word == "--port" ? &read.options.port : &read.options.discoveryPort,
                         problem)) {
      return false;
    }
  }
  *line = read;
  return true;
}
