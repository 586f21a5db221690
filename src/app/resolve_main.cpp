#include "app/resolve_main.h"

#include <string>
#include <vector>

#include "app/hold_card.h"
#include "decklink/device_hold.h"
#include "io/safe_points.h"
#include "net/resolve/session.h"

int resolveMain(const char* target, const char* deviceArgument, const char* resolution,
                const SignallingOptions& signalling) {
  Endpoint host;
  std::string problem;
  if (!parseEndpoint(target, kResolvePort, &host, &problem)) {
    writeStdout("corvane resolve: " + problem + "\n");
    return 1;
  }
  // The name is looked up once, before the card is held, so that a wrong
  // name fails at once. Nothing is held yet, so the signals may end the
  // lookup anywhere (with 130, as at every later moment).
  installReleaseOnSignal(onSignal);
  allowSignals();
  std::vector<SocketAddress> addresses;
  if (!resolveAddresses(host, &addresses, &problem)) {
    writeStdout("corvane resolve: " + problem + "\n");
    return 1;
  }
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
