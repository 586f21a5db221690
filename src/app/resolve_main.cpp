#include "app/resolve_main.h"

#include <string>
#include <vector>

#include "app/mode_words.h"
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
  ModeWords read;
  const Failure wrong = readModeWords(args, {}, &read, true);
  if (wrong.failed()) return sayWhy(wrong.message);
  if (read.host.empty()) {
    offerStdoutText("corvane resolve: no host: give the name or address of the computer that "
                    "runs the calibration software\n");
    return printUsage();
  }
  Endpoint host;
  const Failure wrongHost = parseEndpoint(read.host, kResolvePort, &host);
  if (wrongHost.failed()) return sayWhy(wrongHost.message);
  // The name is looked up at every attempt to connect (runResolve): a name
  // not known yet is waited for, so that a service started at boot waits for
  // the calibration computer.
  if (!holdCardForNetwork(read.device, read.mode.empty() ? "hd" : read.mode, signalling)) return 1;
  runResolve(host);
}
