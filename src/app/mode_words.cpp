#include "app/mode_words.h"

#include <algorithm>

#include "io/decimal_int.h"

bool readDeviceNumber(const std::string& word, int* device) {
  const char* cursor = word.c_str();
  return readDecimalInt(&cursor, device) && *cursor == '\0';
}

Failure readModeWords(const std::vector<std::string>& words, const std::vector<std::string>& known,
                      ModeWords* read, bool host) {
  const auto bad = [](const std::string& problem) {
    return failure(FailureCode::kBadRequest, problem);
  };
  ModeWords taken;
  size_t positional = 0;
  for (size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (word.rfind("--", 0) != 0) {
      const size_t place = positional++ + (host ? 0 : 1);
      if (place == 0) {
        taken.host = word;
      } else if (place == 1) {
        if (!readDeviceNumber(word, &taken.device)) {
          return bad("device '" + word + "' is not a number");
        }
      } else if (place == 2) {
        taken.mode = word;
      } else {
        return bad("one word too many: '" + word + "'");
      }
      continue;
    }
    if (std::find(known.begin(), known.end(), word) == known.end()) {
      return bad("unknown option '" + word + "'");
    }
    if (i + 1 == words.size()) return bad(word + " needs a value");
    taken.options[word] = words[++i];
  }
  *read = taken;
  return {};
}

int deviceNumberOf(const char* typed) {
  int device = 0;
  readDecimalInt(&typed, &device);
  return device;
}
