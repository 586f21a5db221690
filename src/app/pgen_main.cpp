#include "app/pgen_main.h"

#include <cerrno>

#include "app/hold_card.h"
#include "app/network_start.h"
#include "app/pgen_options.h"
#include "app/usage.h"
#include "io/offered_lines.h"
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
  openSignalsUntilHeld();
  std::vector<std::string> rest = words;
  SignallingOptions signalling;
  PgenCommandLine line;
  Failure unread = takeSignallingOptions(&rest, &signalling);
  if (!unread.failed()) unread = parsePgenCommandLine(rest, &line);
  if (unread.failed()) {
    offerStdoutText("corvane pgen: " + unread.message + "\n");
    return printUsage();
  }
  // A host that turns HDR on gets the HDR signalling of the command line.
  if (signalling.given && signalling.signalling.eotf != Eotf::kSdr) {
    line.options.hdrOn = signalling.signalling;
  }
  // Looked up once, before the card is held, so that a wrong name fails at
  // once.
  if (!line.listen.empty()) {
    const Failure unknown = lookUpHost(line.listen, line.options.port, &line.options.listen);
    if (unknown.failed()) {
      offerStdoutText("corvane pgen: --listen: " + unknown.message + "\n");
      return 1;
    }
  }
  if (!holdCardForNetwork(line.device, line.mode, signalling)) return 1;
  const Failure refused = runPgen(line.options);
  offerStdoutText("corvane pgen: " + refused.message + "\n" +
                  advice(refused.systemError, line.options.port, program));
  releaseCard(offerStdoutText);
  return 1;
}
