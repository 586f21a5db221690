// SIGINT and SIGTERM end a holding program through onSignal, which releases
// the held device and exits with status 130.
//
// The handler must never find the held-device state half changed, nor
// interrupt the driver or the allocator in the middle of a call, or it could
// release a reference twice or deadlock. So while a loop runs, both signals
// stay blocked, and they are delivered only at safe points: while the loop
// waits for input, and after each operation on the device, before its
// answer is written. A signal that arrives during an operation (painting a
// 4K frame, opening a device) therefore ends the program as soon as that
// operation returns, and no answer for it is written.
#ifndef CORVANE_DECKLINK_SAFE_POINTS_H
#define CORVANE_DECKLINK_SAFE_POINTS_H

// Blocks SIGINT and SIGTERM and installs onSignal for both.
void installReleaseOnSignal();

// A safe point: a pending SIGINT or SIGTERM runs onSignal now.
void deliverPendingSignals();

// A safe point for as long as it waits: returns true when `fd` has input or
// has reached its end, false on an error.
bool waitUntilReadable(int fd);

#endif  // CORVANE_DECKLINK_SAFE_POINTS_H
