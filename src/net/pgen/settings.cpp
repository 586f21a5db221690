#include "net/pgen/settings.h"

namespace {

PgenSetting refused(const std::string& why) {
  PgenSetting setting;
  setting.refusal = why;
  return setting;
}

PgenSetting asking(PgenSignalling asks, long value = 0) {
  PgenSetting setting;
  setting.asks = asks;
  setting.value = static_cast<int>(value);  // six digits at most
  return setting;
}

// Nothing to change when `value` is what corvane sends, else refused.
PgenSetting onlyAs(long value, long sent, const std::string& why) {
  return value == sent ? PgenSetting() : refused(why);
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

const Primaries kPrimariesByCode[] = {Primaries::kRec709, Primaries::kRec2020, Primaries::kP3D65,
                                      Primaries::kDciP3, Primaries::kP3D60};

// The HDR a host turns on with `eotf`: the card's colour space and values
// when it signals HDR already, else those corvane was started with.
Signalling hdrWith(Eotf eotf, const Signalling& current, const Signalling& hdrOn) {
  Signalling wanted = current.eotf == Eotf::kSdr ? hdrOn : current;
  wanted.eotf = eotf;
  return wanted;
}

bool isMastering(PgenSignalling asks) {
  return asks == PgenSignalling::kPrimaries || asks == PgenSignalling::kMaxLuminance ||
         asks == PgenSignalling::kMinLuminance || asks == PgenSignalling::kMaxCll ||
         asks == PgenSignalling::kMaxFall;
}

}  // namespace

PgenSetting readPgenSetting(const std::string& command) {
  std::string name;
  long value = 0;
  if (!splitSetting(command, &name, &value)) {
    return refused("a setting is CMD:SET_<name>:<whole number>");
  }
  const bool on = (name == "IS_HDR" && value == 1) || (name == "IS_SDR" && value == 0);
  const bool off = (name == "IS_HDR" && value == 0) || (name == "IS_SDR" && value == 1);
  if (on || off) return asking(on ? PgenSignalling::kHdrOn : PgenSignalling::kHdrOff);
  if (name == "EOTF") {
    if (value == 0) return asking(PgenSignalling::kHdrOff);
    if (value == 2) return asking(PgenSignalling::kPq);
    if (value == 3) return asking(PgenSignalling::kHlg);
    if (value == 1) {
      return refused("EOTF 1 (gamma HDR) has no signalling corvane sends: 0 SDR, 2 PQ, 3 HLG");
    }
    return refused("EOTF is 0 SDR, 2 PQ or 3 HLG");
  }
  if (name == "COLORIMETRY") {
    if (value == 9) return asking(PgenSignalling::kRec2020);
    if (value == 0 || value == 2) return asking(PgenSignalling::kRec709);
    return refused("COLORIMETRY is 0, 2 (BT.709) or 9 (BT.2020)");
  }
  if (name == "PRIMARIES") {
    return value <= 4 ? asking(PgenSignalling::kPrimaries, value) : refused("primaries are 0-4");
  }
  if (name == "MAX_LUMA") return asking(PgenSignalling::kMaxLuminance, value);
  if (name == "MIN_LUMA") return asking(PgenSignalling::kMinLuminance, value);
  if (name == "MAX_CLL") return asking(PgenSignalling::kMaxCll, value);
  if (name == "MAX_FALL") return asking(PgenSignalling::kMaxFall, value);
  if (name == "COLOR_FORMAT") return onlyAs(value, 0, "corvane sends RGB 4:4:4 alone, not YCbCr");
  if (name == "MAX_BPC") return onlyAs(value, 10, "corvane sends 10 bits per component alone");
  if (name == "RGB_QUANT_RANGE") {
    return onlyAs(value, 2,
                  "corvane sends the codes as the host sends them and converts no range: send "
                  "limited-range codes (64-940) instead");
  }
  if (name == "IS_LL_DOVI" || name == "IS_STD_DOVI" || name == "DV_STATUS" ||
      name == "DV_INTERFACE") {
    return onlyAs(value, 0, "corvane sends no Dolby Vision");
  }
  if (name == "MODE") return refused("corvane keeps the mode it was started with");
  return refused("a setting corvane does not know");
}

PgenSettled settlePgenSetting(const PgenSetting& setting, const Signalling& current,
                              const Signalling& hdrOn) {
  PgenSettled settled;
  if (!setting.refusal.empty()) {
    settled.why = setting.refusal;
    return settled;
  }
  if (isMastering(setting.asks) && current.eotf != Eotf::kPq) {
    settled.why = std::string("the mastering display's values go out with PQ alone, and the card "
                              "signals ") +
                  eotfName(current.eotf) + "; send EOTF 2 first";
    return settled;
  }
  Signalling wanted = current;
  switch (setting.asks) {
    case PgenSignalling::kNothing: break;
    case PgenSignalling::kHdrOn: wanted = current.eotf == Eotf::kSdr ? hdrOn : current; break;
    case PgenSignalling::kHdrOff: wanted.eotf = Eotf::kSdr; break;
    case PgenSignalling::kPq: wanted = hdrWith(Eotf::kPq, current, hdrOn); break;
    case PgenSignalling::kHlg: wanted = hdrWith(Eotf::kHlg, current, hdrOn); break;
    case PgenSignalling::kRec2020: wanted.colourSpace = ColourSpace::kRec2020; break;
    case PgenSignalling::kRec709: wanted.colourSpace = ColourSpace::kRec709; break;
    case PgenSignalling::kPrimaries: wanted.primaries = kPrimariesByCode[setting.value]; break;
    case PgenSignalling::kMaxLuminance: wanted.maxLuminance = setting.value; break;
    case PgenSignalling::kMinLuminance: wanted.minLuminance = setting.value; break;
    case PgenSignalling::kMaxCll: wanted.maxCll = setting.value; break;
    case PgenSignalling::kMaxFall: wanted.maxFall = setting.value; break;
  }
  const Failure problem = signallingProblem(wanted);
  if (problem.failed()) {
    settled.why = problem.message;
    return settled;
  }
  settled.outcome = wanted == current ? PgenSettled::Outcome::kAlreadyTrue
                                      : PgenSettled::Outcome::kApply;
  settled.wanted = wanted;
  return settled;
}
