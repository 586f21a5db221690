// What `corvane <words>` does: picks the mode from its first word and runs
// it (list, modes, run, serve, resolve, pgen, check, verify, --version,
// --help), after taking `--verify <in-device>` out of a way in's words;
// returns the exit status (a terminating signal ends a holding mode on its
// own: 130 for SIGINT and SIGTERM, 129 for SIGHUP, 131 for SIGQUIT).
// Everything else of the program is in corvane_core, which the tests
// and benchmarks link.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/check_main.h"
#include "app/device_table.h"
#include "app/hold_card.h"
#include "app/mode_table_print.h"
#include "app/mode_words.h"
#include "app/pgen_main.h"
#include "app/resolve_main.h"
#include "app/usage.h"
#include "app/verify_main.h"
#include "app/verify_option.h"
#include "console/console.h"
#include "serve/serve_loop.h"

namespace {

// A supervisor may start corvane with standard input, output or error
// closed. The next file corvane opens (a host's socket, the simulated card's
// lock file) would then take that number, and its lines would go there. So
// before anything else, each closed one is opened on /dev/null; open takes
// the lowest free number, which is the closed one, taken in order.
void openClosedStandardDescriptors() {
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
    if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    const int opened = open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
    if (opened >= 0 && opened != fd) close(opened);  // someone else took it meanwhile
  }
}

// The ways in whose pictures --verify proves.
bool provable(const char* mode) {
  for (const char* way : {"run", "serve", "resolve", "pgen"}) {
    if (std::strcmp(mode, way) == 0) return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  openClosedStandardDescriptors();
  if (argc < 2) return printUsage();
  const char* mode = argv[1];
  std::vector<std::string> words(argv + 2, argv + argc);
  if (provable(mode)) {
    const Failure unread = takeVerifyOption(&words);
    if (unread.failed()) {
      std::printf("corvane %s: %s\n", mode, unread.message.c_str());
      return printUsage();
    }
  }
  if (std::strcmp(mode, "verify") == 0) return verifyMain(words);
  if (std::strcmp(mode, "list") == 0) return listDevices();
  if (std::strcmp(mode, "--help") == 0 || std::strcmp(mode, "-h") == 0) {
    printUsage();
    return 0;
  }
  if (std::strcmp(mode, "--version") == 0) {
    std::puts("corvane " CORVANE_VERSION);
    return 0;
  }
  if (std::strcmp(mode, "check") == 0) {
    return checkMain(std::vector<std::string>(argv + 2, argv + argc));
  }
  if (argc >= 3 && std::strcmp(mode, "modes") == 0) return listModes(deviceNumberOf(argv[2]));
  if (!words.empty() && std::strcmp(mode, "run") == 0) {
    if (!holdCard(deviceNumberOf(words[0].c_str()), words.size() >= 2 ? words[1].c_str() : "hd")) {
      return 1;
    }
    runConsole();
    releaseCard();
    return 0;
  }
  if (std::strcmp(mode, "resolve") == 0) return resolveMain(words);
  if (std::strcmp(mode, "pgen") == 0) return pgenMain(argv[0], words);
  if (std::strcmp(mode, "serve") == 0) {
    serve();
    return 0;
  }
  return printUsage();
}
