#include "app/hold_card.h"

#include <csignal>
#include <string>

#include "app/mode_hint.h"
#include "decklink/device_hold.h"
#include "io/format.h"
#include "io/safe_points.h"

bool holdCard(int index, const char* modeName) {
  // Installed before the open, so that no moment of holding is without it.
  installReleaseOnSignal(onSignal);
  // A terminal, pipe or host that goes away must not kill the program while
  // it holds the card: writes then fail quietly.
  std::signal(SIGPIPE, SIG_IGN);
  const Failure refused = openDevice(index, modeName);
  deliverPendingSignals();
  if (refused.failed()) {
    writeStdout(formatted("Could not open device %d: %s\n", index, refused.text().c_str()));
    const std::string hint = modeHint(index, modeName, refused);
    if (!hint.empty()) writeStdout("  " + hint + "\n");
    if (refused.is(FailureCode::kInUse)) {
      writeStdout("Another process holds it: pgrep -fl corvane / kill <pid>\n");
    }
    return false;
  }
  writeStdout(formatted("Device held: %s %dx%d\n", gMode->name, gMode->width, gMode->height));
  return true;
}

void releaseCard() {
  closeDevice();
  allowSignals();
  writeStdout("output disabled, device released.\n");
}
