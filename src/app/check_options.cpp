#include "app/check_options.h"

#include <cstdlib>

#include "app/mode_words.h"

namespace {

// Digits, optionally a point and more digits: no sign, exponent, "inf" or
// "nan", which strtod alone would take.
bool isPlainDecimal(const std::string& text) {
  size_t digits = 0;
  size_t points = 0;
  for (char c : text) {
    if (c >= '0' && c <= '9') {
      ++digits;
    } else if (c != '.' || ++points > 1) {
      return false;
    }
  }
  return digits > 0 && text.front() != '.' && text.back() != '.';
}

}  // namespace

Failure parseCheckCommandLine(const std::vector<std::string>& words, CheckCommandLine* line) {
  ModeWords read;
  const Failure wrong = readModeWords(words, {"--seconds"}, &read);
  if (wrong.failed()) return wrong;
  CheckCommandLine taken;
  taken.device = read.device;
  taken.mode = read.mode;
  const auto seconds = read.options.find("--seconds");
  if (seconds != read.options.end()) {
    const std::string& value = seconds->second;
    taken.seconds = isPlainDecimal(value) ? std::strtod(value.c_str(), nullptr) : -1;
    if (taken.seconds < 0 || taken.seconds > kCheckMaxSecondsPerPicture) {
      return failure(FailureCode::kBadRequest,
                     "--seconds '" + value + "' is not a number of seconds from 0 to 10");
    }
  }
  *line = taken;
  return {};
}
