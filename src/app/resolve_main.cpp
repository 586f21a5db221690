#include "app/resolve_main.h"

#include <string>
#include <vector>

#include "app/mode_words.h"
#include "app/network_start.h"
#include "app/usage.h"
#include "io/safe_points.h"
#include "net/resolve/session.h"

namespace {

int sayWhy(const std::string& problem) {
  writeStdout("corvane resolve: " + problem + "\n");
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
  if (read.host.empty()) return printUsage();
  Endpoint host;
  const Failure wrongHost = parseEndpoint(read.host, kResolvePort, &host);
  if (wrongHost.failed()) return sayWhy(wrongHost.message);
  // The name is looked up once, before the card is held, so that a wrong
  // name fails at once.
  std::vector<SocketAddress> addresses;
  const Failure unknownHost = lookUpHost(host.host, host.port, &addresses);
  if (unknownHost.failed()) return sayWhy(unknownHost.message);
  if (!holdCardForNetwork(read.device, read.mode.empty() ? "hd" : read.mode, signalling)) return 1;
  runResolve(host, addresses);
}
