// Taking the card for the modes that hold one from start to end (the
// console, the network modes), and giving it back at their end.
#ifndef CORVANE_APP_HOLD_CARD_H
#define CORVANE_APP_HOLD_CARD_H

#include <string>

#include "decklink/device_hold.h"
#include "io/safe_points.h"

// How a holding mode prints: writeStdout (the console: nothing lost), or
// offerStdoutText (the network modes: never waiting, io/offered_lines.h).
using PrintText = bool (*)(const std::string& text);

// Installs `release` on the terminating signals (blocked until the mode's
// safe points), ignores SIGPIPE, and holds device number `index` at the
// mode named `modeName`.
// Prints "Device held: <mode> <w>x<h>" and returns true; or prints why the
// device could not be opened (with what the mode may be when that is the
// reason, app/mode_hint.h, and how to find the holder when another process
// has it) and returns false with nothing held.
bool holdCard(int index, const char* modeName, PrintText print = writeStdout,
              void (*release)(int signalNumber) = onSignal);

// The end of a holding mode: releases the card, lets the signals in (one
// that came during the release still ends the program with its status), and
// prints "output disabled, device released.".
void releaseCard(PrintText print = writeStdout);

#endif  // CORVANE_APP_HOLD_CARD_H
