#include "app/resolve_main.h"

#include <string>
#include <vector>

#include "app/hold_card.h"
#include "app/signalling_options.h"
#include "app/usage.h"
#include "decklink/device_hold.h"
#include "io/safe_points.h"
#include "net/resolve/session.h"

namespace {

int sayWhy(const std::string& problem) {
  writeStdout("corvane resolve: " + problem + "\n");
  return 1;
}

}  // namespace

int resolveMain(const std::vector<std::string>& words) {
  std::vector<std::string> args = words;
  SignallingOptions signalling;
  std::string problem;
  if (!takeSignallingOptions(&args, &signalling, &problem)) return sayWhy(problem);
  for (const std::string& word : args) {
    if (word.compare(0, 2, "--") == 0) return sayWhy("unknown option " + word);
  }
  if (args.empty()) return printUsage();
  const char* deviceArgument = args.size() >= 2 ? args[1].c_str() : "0";
  const char* resolution = args.size() >= 3 ? args[2].c_str() : "hd";
  Endpoint host;
  if (!parseEndpoint(args[0], kResolvePort, &host, &problem)) return sayWhy(problem);
  // The name is looked up once, before the card is held, so that a wrong
  // name fails at once. Nothing is held yet, so the signals may end the
  // lookup anywhere (with 130, as at every later moment).
  installReleaseOnSignal(onSignal);
  allowSignals();
  std::vector<SocketAddress> addresses;
  if (!lookUpHost(host.host, host.port, &addresses, &problem)) return sayWhy(problem);
  if (!holdCard(deviceArgument, resolution)) return 1;
  // Before the black frame, so that the display is in its mode from the
  // first picture on.
  if (!signalAtStart(signalling)) {
    closeDevice();
    allowSignals();
    return 1;
  }
  runResolve(host, addresses);
}
