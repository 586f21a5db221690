#include "setup/devices_shorthand.h"

#include "setup/device_keys.h"

namespace {

std::string trimmedSpaces(const std::string& text) {
  size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

bool parseDevicesShorthand(const std::string& text, std::vector<CardSetup>* cards,
                           std::string* problem) {
  cards->clear();
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(';', start);
    if (end == std::string::npos) end = text.size();
    const std::string entry = trimmedSpaces(text.substr(start, end - start));
    start = end + 1;
    if (entry.empty()) continue;  // "A;;B" and a trailing ';' are harmless
    CardSetup card = defaultCard(static_cast<int>(cards->size()));
    size_t equals = entry.rfind('=');
    std::string name = trimmedSpaces(entry.substr(0, equals));
    if (!name.empty()) card.name = name;
    if (equals != std::string::npos) {
      std::string modes = trimmedSpaces(entry.substr(equals + 1));
      if (!modes.empty() && !applyDeviceKey("modes", modes, &card, problem)) {
        *problem = "card '" + name + "': " + *problem;
        return false;
      }
    }
    cards->push_back(card);
  }
  return true;
}
