// Taking the card for the modes that hold one from start to end: the
// console and the network modes.
#ifndef CORVANE_APP_HOLD_CARD_H
#define CORVANE_APP_HOLD_CARD_H

// Installs the release on SIGINT and SIGTERM (blocked until the mode's safe
// points), ignores SIGPIPE, and holds device `deviceArgument` (as typed;
// text that is not a number is device 0) at `resolution`. Prints
// "Device held: <mode> <w>x<h>" and returns true; or prints why the device
// could not be opened (and how to find the holder when another process has
// it) and returns false with nothing held.
bool holdCard(const char* deviceArgument, const char* resolution);

#endif  // CORVANE_APP_HOLD_CARD_H
