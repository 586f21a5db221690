#include "app/network_start.h"

#include <unistd.h>

#include <csignal>
#include <cstring>

#include "app/hold_card.h"
#include "decklink/device_hold.h"
#include "io/offered_lines.h"
#include "io/safe_points.h"

namespace {

const char* signalName(int signalNumber) {
  switch (signalNumber) {
    case SIGINT: return "SIGINT";
    case SIGTERM: return "SIGTERM";
    case SIGHUP: return "SIGHUP";
    case SIGQUIT: return "SIGQUIT";
    default: return "a signal";
  }
}

// onSignal with a last line, so that a service's journal says why it
// stopped: "ended by SIGTERM: output disabled, device released." (without
// the release's words before the card is held). Async-signal-safe.
[[noreturn]] void releaseWithLastLine(int signalNumber) {
  const bool held = gOutput != nullptr;
  closeDevice();
  char line[96] = "ended by ";
  std::strncat(line, signalName(signalNumber), 16);
  if (held) std::strncat(line, ": output disabled, device released.", 40);
  offerLastLine(line);
  _exit(signalExitStatus(signalNumber));
}

}  // namespace

void openSignalsUntilHeld() {
  installReleaseOnSignal(releaseWithLastLine);
  allowSignals();
}

bool holdCardForNetwork(int device, const std::string& mode,
                        const SignallingOptions& signalling) {
  if (!holdCard(device, mode.c_str(), offerStdoutText, releaseWithLastLine)) return false;
  if (!signalling.given) return true;
  const Failure refused = setSignalling(signalling.signalling);
  deliverPendingSignals();
  if (refused.failed()) {
    offerStdoutText("Could not set the signalling: " + refused.text() + "\n");
    closeDevice();
    allowSignals();
    return false;
  }
  offerStdoutText("signalling: " + signallingText(gSignalling) + "\n");
  return true;
}
