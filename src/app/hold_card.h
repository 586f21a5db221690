// Taking the card for the modes that hold one from start to end (the
// console, the network modes), and giving it back at their end.
#ifndef CORVANE_APP_HOLD_CARD_H
#define CORVANE_APP_HOLD_CARD_H

// Installs the release on SIGINT and SIGTERM (blocked until the mode's safe
// points), ignores SIGPIPE, and holds device number `index` at the mode
// named `modeName`.
// Prints "Device held: <mode> <w>x<h>" and returns true; or prints why the
// device could not be opened (with what the mode may be when that is the
// reason, app/mode_hint.h, and how to find the holder when another process
// has it) and returns false with nothing held.
bool holdCard(int index, const char* modeName);

// The end of a holding mode: releases the card, lets the signals in (one
// that came during the release still ends the program with 130), and
// prints "output disabled, device released.".
void releaseCard();

#endif  // CORVANE_APP_HOLD_CARD_H
