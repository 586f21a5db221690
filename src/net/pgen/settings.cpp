#include "net/pgen/settings.h"

#include "net/printable_text.h"

namespace {

PgenSetting refused(const std::string& command, const std::string& why) {
  PgenSetting setting;
  setting.reply = "ERR:" + why;
  setting.line = "setting refused: " + printableText(command) + " (" + why + ")";
  return setting;
}

// `wanted` on the card, or nothing to do when the card carries it already;
// a value out of range is refused with its reason.
PgenSetting asking(const std::string& command, const Signalling& wanted,
                   const Signalling& current) {
  const Failure problem = signallingProblem(wanted);
  if (problem.failed()) return refused(command, problem.message);
  PgenSetting setting;
  setting.outcome = wanted == current ? PgenSetting::Outcome::kAlreadyTrue
                                      : PgenSetting::Outcome::kApply;
  setting.wanted = wanted;
  return setting;
}

PgenSetting acceptedOnlyAs(const std::string& command, long value, long sent,
                           const std::string& why) {
  if (value == sent) {
    PgenSetting setting;
    setting.outcome = PgenSetting::Outcome::kAlreadyTrue;
    return setting;
  }
  return refused(command, why);
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

// The HDR a host turns on with `eotf`: the card's colour space and values
// when it signals HDR already, else those corvane was started with.
Signalling hdrWith(Eotf eotf, const Signalling& current, const Signalling& hdrOn) {
  Signalling wanted = current.eotf == Eotf::kSdr ? hdrOn : current;
  wanted.eotf = eotf;
  return wanted;
}

const Primaries kPrimariesByCode[] = {Primaries::kRec709, Primaries::kRec2020, Primaries::kP3D65,
                                      Primaries::kDciP3, Primaries::kP3D60};

// PRIMARIES and the luminances: the mastering display's values, which PQ
// alone carries.
PgenSetting masteringSetting(const std::string& command, const std::string& name, long value,
                             const Signalling& current) {
  Signalling wanted = current;
  if (name == "PRIMARIES") {
    if (value > 4) return refused(command, "primaries are 0-4");
    wanted.primaries = kPrimariesByCode[value];
  } else {
    // Six digits at most, so the value fits; the range check says more.
    const int number = static_cast<int>(value);
    if (name == "MAX_LUMA") wanted.maxLuminance = number;
    if (name == "MIN_LUMA") wanted.minLuminance = number;
    if (name == "MAX_CLL") wanted.maxCll = number;
    if (name == "MAX_FALL") wanted.maxFall = number;
  }
  if (current.eotf != Eotf::kPq) {
    return refused(command, std::string("the mastering display's values go out with PQ alone, "
                                        "and the card signals ") +
                                eotfName(current.eotf) + "; send EOTF 2 first");
  }
  return asking(command, wanted, current);
}

}  // namespace

PgenSetting readPgenSetting(const std::string& command, const Signalling& current,
                            const Signalling& hdrOn) {
  std::string name;
  long value = 0;
  if (!splitSetting(command, &name, &value)) {
    return refused(command, "a setting is CMD:SET_<name>:<whole number>");
  }
  Signalling sdr = current;
  sdr.eotf = Eotf::kSdr;
  const bool on = ((name == "IS_HDR" && value == 1) || (name == "IS_SDR" && value == 0));
  const bool off = ((name == "IS_HDR" && value == 0) || (name == "IS_SDR" && value == 1));
  if (on) return asking(command, current.eotf == Eotf::kSdr ? hdrOn : current, current);
  if (off) return asking(command, sdr, current);
  if (name == "EOTF") {
    if (value == 0) return asking(command, sdr, current);
    if (value == 2) return asking(command, hdrWith(Eotf::kPq, current, hdrOn), current);
    if (value == 3) return asking(command, hdrWith(Eotf::kHlg, current, hdrOn), current);
    if (value == 1) {
      return refused(command, "EOTF 1 (gamma HDR) has no signalling corvane sends: 0 SDR, 2 PQ, "
                              "3 HLG");
    }
    return refused(command, "EOTF is 0 SDR, 2 PQ or 3 HLG");
  }
  if (name == "COLORIMETRY" && (value == 0 || value == 2 || value == 9)) {
    Signalling wanted = current;
    wanted.colourSpace = value == 9 ? ColourSpace::kRec2020 : ColourSpace::kRec709;
    return asking(command, wanted, current);
  }
  if (name == "PRIMARIES" || name == "MAX_LUMA" || name == "MIN_LUMA" || name == "MAX_CLL" ||
      name == "MAX_FALL") {
    return masteringSetting(command, name, value, current);
  }
  if (name == "COLOR_FORMAT") {
    return acceptedOnlyAs(command, value, 0, "corvane sends RGB 4:4:4 alone, not YCbCr");
  }
  if (name == "MAX_BPC") {
    return acceptedOnlyAs(command, value, 10, "corvane sends 10 bits per component alone");
  }
  if (name == "RGB_QUANT_RANGE") {
    return acceptedOnlyAs(command, value, 2,
                          "corvane sends the codes as the host sends them and converts no "
                          "range: send limited-range codes (64-940) instead");
  }
  if (name == "IS_LL_DOVI" || name == "IS_STD_DOVI" || name == "DV_STATUS" ||
      name == "DV_INTERFACE") {
    return acceptedOnlyAs(command, value, 0, "corvane sends no Dolby Vision");
  }
  if (name == "COLORIMETRY") return refused(command, "COLORIMETRY is 0, 2 (BT.709) or 9 (BT.2020)");
  if (name == "MODE") return refused(command, "corvane keeps the mode it was started with");
  return refused(command, "a setting corvane does not know");
}
