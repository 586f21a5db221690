#include "app/signalling_options.h"

#include "decklink/signalling_words.h"

namespace {

// The options besides --hdr, by the word the console uses for each.
const char* const kNamedOptions[] = {"colorspace", "primaries", "max-luminance",
                                     "min-luminance", "max-cll", "max-fall"};

bool isNamedOption(const std::string& name) {
  for (const char* option : kNamedOptions) {
    if (name == option) return true;
  }
  return false;
}

}  // namespace

Failure takeSignallingOptions(std::vector<std::string>* args, SignallingOptions* options) {
  const auto bad = [](const std::string& problem) {
    return failure(FailureCode::kBadRequest, problem);
  };
  std::vector<std::string> rest, words = {""};
  for (size_t i = 0; i < args->size(); ++i) {
    const std::string& word = (*args)[i];
    if (word.compare(0, 2, "--") != 0) {
      rest.push_back(word);
      continue;
    }
    const std::string name = word.substr(2);
    if (name != "hdr" && !isNamedOption(name)) {
      rest.push_back(word);  // another option of the mode's own
      continue;
    }
    if (i + 1 == args->size()) return bad(word + " needs a value");
    const std::string& value = (*args)[++i];
    if (name == "hdr") {
      if (!words[0].empty()) return bad("--hdr given twice");
      words[0] = value;
    } else {
      words.push_back(name);
      words.push_back(value);
    }
  }
  if (words.size() == 1 && words[0].empty()) {
    *args = rest;
    return {};
  }
  if (words[0].empty()) return bad("the signalling options need --hdr sdr, pq or hlg");
  Signalling signalling;
  const Failure unread = readSignallingWords(words, &signalling);
  if (unread.failed()) return bad("--hdr: " + unread.message);
  options->given = true;
  options->signalling = signalling;
  *args = rest;
  return {};
}
