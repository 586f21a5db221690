#include "app/resolve_main.h"

#include <string>
#include <vector>

#include "app/network_start.h"
#include "app/usage.h"
#include "io/offered_lines.h"
#include "net/resolve/session.h"

namespace {

int sayWhy(const std::string& problem) {
  offerStdoutText("corvane resolve: " + problem + "\n");
  return 1;
}

}  // namespace

int resolveMain(const std::vector<std::string>& words) {
  openSignalsUntilHeld();
  std::vector<std::string> args = words;
  SignallingOptions signalling;
  const Failure unread = takeSignallingOptions(&args, &signalling);
  if (unread.failed()) return sayWhy(unread.message);
  for (const std::string& word : args) {
    if (word.compare(0, 2, "--") == 0) return sayWhy("unknown option " + word);
  }
  if (args.empty()) {
    offerStdoutText("corvane resolve: no host: give the name or address of the computer that "
                    "runs the calibration software\n");
    return printUsage();
  }
  Endpoint host;
  const Failure wrongHost = parseEndpoint(args[0], kResolvePort, &host);
  if (wrongHost.failed()) return sayWhy(wrongHost.message);
  // The name is looked up at every attempt to connect (runResolve): a name
  // not known yet is waited for, so that a service started at boot waits for
  // the calibration computer.
  if (!holdCardForNetwork(args.size() >= 2 ? args[1] : "0", args.size() >= 3 ? args[2] : "hd",
                          signalling)) {
    return 1;
  }
  runResolve(host);
}
