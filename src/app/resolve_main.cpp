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
  if (args.empty()) return printUsage();
  Endpoint host;
  const Failure wrongHost = parseEndpoint(args[0], kResolvePort, &host);
  if (wrongHost.failed()) return sayWhy(wrongHost.message);
  // The name is looked up once, before the card is held, so that a wrong
  // name fails at once.
  std::vector<SocketAddress> addresses;
  const Failure unknownHost = lookUpHost(host.host, host.port, &addresses);
  if (unknownHost.failed()) return sayWhy(unknownHost.message);
  if (!holdCardForNetwork(args.size() >= 2 ? args[1] : "0", args.size() >= 3 ? args[2] : "hd",
                          signalling)) {
    return 1;
  }
  runResolve(host, addresses);
}
