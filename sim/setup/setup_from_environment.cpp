#include "setup/setup_from_environment.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "setup/devices_shorthand.h"
#include "setup/setup_parser.h"

namespace {

const char* variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && value[0] != '\0' ? value : nullptr;
}

bool readFile(const char* path, std::string* text) {
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return false;
  char chunk[4096];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) text->append(chunk, got);
  const bool failed = std::ferror(file) != 0;
  const int readError = errno;
  std::fclose(file);
  errno = readError;
  return !failed;
}

// The configuration file's setup, or no card after one message on stderr.
bool setupFromFile(const char* path, SimSetup* setup) {
  std::string text;
  if (!readFile(path, &text)) {
    std::fprintf(stderr, "decklink-sim: %s: cannot read: %s\n", path, std::strerror(errno));
    *setup = SimSetup();
    return false;
  }
  SetupTextError error;
  if (!parseSetupText(text, setup, &error)) {
    std::fprintf(stderr, "decklink-sim: %s:%d: %s\n", path, error.line, error.message.c_str());
    *setup = SimSetup();
    return false;
  }
  return true;
}

}  // namespace

bool setupFromEnvironment(SimSetup* setup) {
  const char* configPath = variable("DECKLINK_SIM_CONFIG");
  const char* devices = variable("DECKLINK_SIM_DEVICES");
  bool ok = true;
  if (configPath != nullptr) {
    ok = setupFromFile(configPath, setup);
  } else {
    *setup = devices != nullptr ? SimSetup() : defaultSetup();
  }
  if (ok && devices != nullptr) {
    std::string problem;
    if (!parseDevicesShorthand(devices, &setup->cards, &problem)) {
      std::fprintf(stderr, "decklink-sim: DECKLINK_SIM_DEVICES: %s\n", problem.c_str());
      *setup = SimSetup();
      ok = false;
    }
  }
  // The variables name where a test wants output, so they apply even when
  // the cards could not be read: the log then shows what the program did
  // with no card.
  if (const char* log = variable("DECKLINK_SIM_LOG")) {
    setup->logFile = log;
    setup->logFileLine = 0;
  }
  if (const char* capture = variable("DECKLINK_SIM_CAPTURE")) setup->captureDirectory = capture;
  if (const char* hold = variable("DECKLINK_SIM_HOLD_DIR")) setup->holdDirectory = hold;
  return ok;
}
