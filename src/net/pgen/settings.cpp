#include "net/pgen/settings.h"

#include "io/format.h"

namespace {

PgenSetting ignored(const std::string& command, const std::string& why) {
  PgenSetting setting;
  setting.line = "setting ignored: " + printableText(command) + " (" + why + ")";
  return setting;
}

PgenSetting asking(PgenSignalling asks) {
  PgenSetting setting;
  setting.asks = asks;
  return setting;
}

// "CMD:SET_PGENERATOR_CONF_IS_HDR:1" -> name "IS_HDR", value 1. False when
// the command is no CMD:SET_ with a whole number of at most six digits.
bool splitSetting(const std::string& command, std::string* name, long* value) {
  const std::string prefix = "CMD:SET_", conf = "PGENERATOR_CONF_";
  const size_t colon = command.rfind(':');
  if (command.compare(0, prefix.size(), prefix) != 0 || colon < prefix.size()) return false;
  *name = command.substr(prefix.size(), colon - prefix.size());
  if (name->compare(0, conf.size(), conf) == 0) name->erase(0, conf.size());
  const std::string digits = command.substr(colon + 1);
  if (digits.empty() || digits.size() > 6) return false;
  *value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
    *value = *value * 10 + (c - '0');
  }
  return true;
}

}  // namespace

PgenSetting readPgenSetting(const std::string& command) {
  const char* kept = "corvane keeps 10-bit RGB 4:4:4 at the mode it was started with";
  std::string name;
  long value = 0;
  if (!splitSetting(command, &name, &value)) return ignored(command, kept);
  if (name == "IS_HDR" && (value == 0 || value == 1)) {
    return asking(value == 1 ? PgenSignalling::kHdrOn : PgenSignalling::kHdrOff);
  }
  if (name == "COLORIMETRY" && (value == 0 || value == 2 || value == 9)) {
    return asking(value == 9 ? PgenSignalling::kRec2020 : PgenSignalling::kRec709);
  }
  if (name == "IS_HDR" || name == "COLORIMETRY") {
    return ignored(command, "a value corvane does not know for " + name);
  }
  return ignored(command, kept);
}

Signalling wantedSignalling(PgenSignalling asks, const Signalling& current,
                            const Signalling& hdrOn) {
  Signalling wanted = current;
  switch (asks) {
    case PgenSignalling::kNothing: break;
    case PgenSignalling::kHdrOn: wanted = hdrOn; break;
    case PgenSignalling::kHdrOff: wanted.eotf = Eotf::kSdr; break;
    case PgenSignalling::kRec2020: wanted.colourSpace = ColourSpace::kRec2020; break;
    case PgenSignalling::kRec709: wanted.colourSpace = ColourSpace::kRec709; break;
  }
  return wanted;
}
