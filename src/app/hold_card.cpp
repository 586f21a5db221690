#include "app/hold_card.h"

#include <csignal>
#include <string>

#include "decklink/device_hold.h"
#include "io/decimal_int.h"
#include "io/format.h"
#include "io/safe_points.h"

bool holdCard(const char* deviceArgument, const char* resolution) {
  int index = 0;  // text that is not a number means device 0
  readDecimalInt(&deviceArgument, &index);
  // Installed before the open, so that no moment of holding is without it.
  installReleaseOnSignal(onSignal);
  // A terminal, pipe or host that goes away must not kill the program while
  // it holds the card: writes then fail quietly.
  std::signal(SIGPIPE, SIG_IGN);
  std::string message;
  const std::string code = openDevice(index, resolution, &message);
  deliverPendingSignals();
  if (!code.empty()) {
    writeStdout(formatted("Could not open device %d: %s (%s)\n", index, message.c_str(),
                          code.c_str()));
    if (code == kInUse) {
      writeStdout("Another process holds it: pgrep -fl corvane / kill <pid>\n");
    }
    return false;
  }
  writeStdout(formatted("Device held: %s %dx%d\n", gMode->name, gMode->width, gMode->height));
  return true;
}
