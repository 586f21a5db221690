#include "app/hold_card.h"

#include <csignal>
#include <string>

#include "app/mode_hint.h"
#include "decklink/device_hold.h"
#include "decklink/loader.h"
#include "io/format.h"
#include "io/safe_points.h"

bool holdCard(int index, const char* modeName, PrintText print, void (*release)(int)) {
  // Installed before the open, so that no moment of holding is without it.
  installReleaseOnSignal(release);
  // A terminal, pipe or host that goes away must not kill the program while
  // it holds the card: writes then fail quietly.
  std::signal(SIGPIPE, SIG_IGN);
  const Failure refused = openDevice(index, modeName);
  deliverPendingSignals();
  if (refused.failed()) {
    print(formatted("Could not open device %d: %s\n", index, refused.text().c_str()));
    const std::string hint = modeHint(index, modeName, refused);
    if (!hint.empty()) print("  " + hint + "\n");
    const std::string noApi = refused.is(FailureCode::kNoDevice) ? deckLinkApiProblem() : "";
    if (!noApi.empty()) print("  No DeckLink API found: " + noApi + "\n");
    if (refused.is(FailureCode::kInUse)) {
      print("Another process holds it: pgrep -fl corvane / kill <pid>\n");
    }
    return false;
  }
  print(formatted("Device held: %s %dx%d\n", gMode->name, gMode->width, gMode->height));
  return true;
}

void releaseCard(PrintText print) {
  closeDevice();
  allowSignals();
  print("output disabled, device released.\n");
}
