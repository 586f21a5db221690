#include "app/network_start.h"

#include "app/hold_card.h"
#include "decklink/device_hold.h"
#include "io/safe_points.h"

void openSignalsUntilHeld() {
  installReleaseOnSignal(onSignal);
  allowSignals();
}

bool holdCardForNetwork(int device, const std::string& mode,
                        const SignallingOptions& signalling) {
  if (!holdCard(device, mode.c_str())) return false;
  if (!signalling.given) return true;
  const Failure refused = setSignalling(signalling.signalling);
  deliverPendingSignals();
  if (refused.failed()) {
    writeStdout("Could not set the signalling: " + refused.text() + "\n");
    closeDevice();
    allowSignals();
    return false;
  }
  writeStdout("signalling: " + signallingText(gSignalling) + "\n");
  return true;
}
