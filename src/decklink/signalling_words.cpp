#include "decklink/signalling_words.h"

#include <set>

namespace {

// Whole digits, with at most `decimals` digits after a point, in units of
// 10^-decimals; false for anything else or a value past 10^9.
bool readFixedPoint(const std::string& text, int decimals, int* value) {
  long long units = 0;
  int after = -1;  // digits after the point, -1 before it
  for (char c : text) {
    if (c == '.' && after < 0) {
      after = 0;
      continue;
    }
    if (c < '0' || c > '9' || after == decimals) return false;
    units = units * 10 + (c - '0');
    if (after >= 0) ++after;
    if (units > 1000000000LL) return false;
  }
  if (text.empty() || text == "." || after == 0) return false;
  for (int i = after < 0 ? 0 : after; i < decimals; ++i) units *= 10;
  if (units > 1000000000LL) return false;
  *value = static_cast<int>(units);
  return true;
}

bool readValue(const std::string& name, const std::string& value, Signalling* s,
               std::string* problem) {
  bool ok = false;
  if (name == "colorspace") {
    ok = colourSpaceByName(value, &s->colourSpace);
  } else if (name == "primaries") {
    ok = primariesByName(value, &s->primaries);
  } else if (name == "max-luminance") {
    ok = readFixedPoint(value, 0, &s->maxLuminance);
  } else if (name == "min-luminance") {
    ok = readFixedPoint(value, 4, &s->minLuminance);
  } else if (name == "max-cll") {
    ok = readFixedPoint(value, 0, &s->maxCll);
  } else if (name == "max-fall") {
    ok = readFixedPoint(value, 0, &s->maxFall);
  } else {
    *problem = "unknown signalling setting '" + name + "'";
    return false;
  }
  if (!ok) *problem = "cannot read " + name + " '" + value + "'";
  return ok;
}

// The settings that only PQ's static metadata carries.
bool mastersPq(const std::string& name) {
  return name == "primaries" || name == "max-luminance" || name == "min-luminance" ||
         name == "max-cll" || name == "max-fall";
}

}  // namespace

Failure readSignallingWords(const std::vector<std::string>& words, Signalling* signalling) {
  const auto bad = [](const std::string& problem) {
    return failure(FailureCode::kBadRequest, problem);
  };
  Eotf eotf;
  if (words.empty() || !eotfByName(words[0], &eotf)) {
    return bad("expected sdr, pq or hlg" + (words.empty() ? "" : ", not '" + words[0] + "'"));
  }
  Signalling read = signallingFor(eotf);
  std::set<std::string> named;
  for (size_t i = 1; i < words.size(); i += 2) {
    if (i + 1 == words.size()) return bad(words[i] + " needs a value");
    if (!named.insert(words[i]).second) return bad(words[i] + " given twice");
    // HLG and SDR carry no static metadata: a value for it would do nothing.
    if (eotf != Eotf::kPq && mastersPq(words[i])) {
      return bad(words[i] + " is for pq only: " + words[0] + " carries no mastering values");
    }
    std::string problem;
    if (!readValue(words[i], words[i + 1], &read, &problem)) return bad(problem);
  }
  const Failure problem = signallingProblem(read);
  if (problem.failed()) return problem;
  *signalling = read;
  return {};
}
