#include "app/check_options.h"

#include <cstdlib>

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

bool parseCheckCommandLine(const std::vector<std::string>& words, CheckCommandLine* line,
                           std::string* problem) {
  CheckCommandLine read;
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
    if (word != "--seconds") {
      *problem = "unknown option '" + word + "'";
      return false;
    }
    if (i + 1 == words.size()) {
      *problem = "--seconds needs a value";
      return false;
    }
    const std::string& value = words[++i];
    read.seconds = isPlainDecimal(value) ? std::strtod(value.c_str(), nullptr) : -1;
    if (read.seconds < 0 || read.seconds > kCheckMaxSecondsPerPicture) {
      *problem = "--seconds '" + value + "' is not a number of seconds from 0 to 10";
      return false;
    }
  }
  *line = read;
  return true;
}
