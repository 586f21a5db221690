#include "app/mode_words.h"

#include <algorithm>

Failure readModeWords(const std::vector<std::string>& words, const std::vector<std::string>& known,
                      ModeWords* read) {
  const auto bad = [](const std::string& problem) {
    return failure(FailureCode::kBadRequest, problem);
  };
  ModeWords taken;
  size_t positional = 0;
  for (size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (word.rfind("--", 0) != 0) {
      if (positional == 2) return bad("one word too many: '" + word + "'");
      (positional++ == 0 ? taken.device : taken.mode) = word;
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
