#include "app/command_line.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/check_main.h"
#include "app/device_table.h"
#include "app/hold_card.h"
#include "app/mode_table_print.h"
#include "app/pgen_main.h"
#include "app/resolve_main.h"
#include "app/usage.h"
#include "console/console.h"
#include "serve/serve_loop.h"

int runCommandLine(int argc, char** argv) {
  if (argc < 2) return printUsage();
  const char* mode = argv[1];
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
  if (argc >= 3 && std::strcmp(mode, "modes") == 0) return listModes(argv[2]);
  if (argc >= 3 && std::strcmp(mode, "run") == 0) {
    if (!holdCard(argv[2], argc >= 4 ? argv[3] : "hd")) return 1;
    runConsole();
    releaseCard();
    return 0;
  }
  if (std::strcmp(mode, "resolve") == 0) {
    return resolveMain(std::vector<std::string>(argv + 2, argv + argc));
  }
  if (std::strcmp(mode, "pgen") == 0) {
    return pgenMain(argv[0], std::vector<std::string>(argv + 2, argv + argc));
  }
  if (std::strcmp(mode, "serve") == 0) {
    serve();
    return 0;
  }
  return printUsage();
}
