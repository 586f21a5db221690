#include "app/pgen_main.h"

#include <cerrno>

#include "app/hold_card.h"
#include "app/pgen_options.h"
#include "app/signalling_options.h"
#include "app/usage.h"
#include "decklink/device_hold.h"
#include "io/safe_points.h"
#include "net/host_lookup.h"

namespace {

// What a person can do about a port that cannot be bound.
std::string advice(int error, uint16_t port, const std::string& program) {
  if (error == EACCES || error == EPERM) {
    return "Ports below 1024 need privileges. Let corvane use them with\n"
           "  sudo setcap cap_net_bind_service=+ep " + program + "\n"
           "or choose a port of 1024 or more with --port (HCFR connects to port " +
           std::to_string(kPgenPort) + " only).\n";
  }
  if (error == EADDRINUSE) {
    return "Another program uses port " + std::to_string(port) +
           " (another corvane pgen, or a PGenerator?): stop it, or choose another port with "
           "--port.\n";
  }
  if (error == EADDRNOTAVAIL) return "No network interface of this computer has that address.\n";
  return "";
}

}  // namespace

int pgenMain(const std::string& program, const std::vector<std::string>& words) {
  // Nothing is held yet: the signals may end the program anywhere, with
  // 130 as at every later moment.
  installReleaseOnSignal(onSignal);
  allowSignals();
  std::vector<std::string> rest = words;
  SignallingOptions signalling;
  PgenCommandLine line;
  std::string problem;
  if (!takeSignallingOptions(&rest, &signalling, &problem) ||
      !parsePgenCommandLine(rest, &line, &problem)) {
    writeStdout("corvane pgen: " + problem + "\n");
    return printUsage();
  }
  // A host that turns HDR on gets the HDR signalling of the command line.
  if (signalling.given && signalling.signalling.eotf != Eotf::kSdr) {
    line.options.hdrOn = signalling.signalling;
  }
  // Looked up once, before the card is held, so that a wrong name fails at
  // once.
  if (!line.listen.empty() &&
      !lookUpHost(line.listen, line.options.port, &line.options.listen, &problem)) {
    writeStdout("corvane pgen: --listen: " + problem + "\n");
    return 1;
  }
  if (!holdCard(line.device.c_str(), line.mode.c_str())) return 1;
  if (!signalAtStart(signalling)) {
    closeDevice();
    allowSignals();
    return 1;
  }
  const PgenListenFailure failure = runPgen(line.options);
  writeStdout("corvane pgen: " + failure.problem + "\n" +
              advice(failure.error, line.options.port, program));
  closeDevice();
  allowSignals();
  writeStdout("output disabled, device released.\n");
  return 1;
}
