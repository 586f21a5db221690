#include "app/signalling_options.h"

#include "decklink/held_device.h"
#include "decklink/held_signalling.h"
#include "decklink/signalling_words.h"
#include "io/safe_points.h"

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

bool takeSignallingOptions(std::vector<std::string>* args, SignallingOptions* options,
                           std::string* problem) {
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
    if (i + 1 == args->size()) {
      *problem = word + " needs a value";
      return false;
    }
    const std::string& value = (*args)[++i];
    if (name == "hdr") {
      if (!words[0].empty()) {
        *problem = "--hdr given twice";
        return false;
      }
      words[0] = value;
    } else {
      words.push_back(name);
      words.push_back(value);
    }
  }
  if (words.size() == 1 && words[0].empty()) {
    *args = rest;
    return true;
  }
  if (words[0].empty()) {
    *problem = "the signalling options need --hdr sdr, pq or hlg";
    return false;
  }
  Signalling signalling;
  if (!readSignallingWords(words, &signalling, problem)) {
    *problem = "--hdr: " + *problem;
    return false;
  }
  options->given = true;
  options->signalling = signalling;
  *args = rest;
  return true;
}

bool signalAtStart(const SignallingOptions& options) {
  if (!options.given) return true;
  std::string message;
  const std::string code = setSignalling(options.signalling, &message);
  deliverPendingSignals();
  if (!code.empty()) {
    writeStdout("Could not set the signalling: " + message + " (" + code + ")\n");
    return false;
  }
  writeStdout("signalling: " + signallingText(gSignalling) + "\n");
  return true;
}
