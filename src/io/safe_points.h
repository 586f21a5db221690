// SIGINT, SIGTERM, SIGHUP and SIGQUIT ("the signals") end a holding program
// through a release handler (the device layer's onSignal, which releases the
// held device and exits with 130 for SIGINT and SIGTERM, 128 + the signal's
// number for the others). This layer knows nothing of the device: it only decides when
// the handler may run.
//
// The handler must never find the held-device state half changed, nor
// interrupt the driver or the allocator in the middle of a call, or it could
// release a reference twice or deadlock. So while a loop runs, both signals
// stay blocked, and they are delivered only at safe points, where the state
// is whole and no library call is under way:
//   - while the loop waits for input (waitUntilReadable);
//   - while it writes an answer or a console line (writeAll), so a reader
//     that stops reading cannot keep the card held;
//   - after each operation on the device, before its answer is written
//     (deliverPendingSignals);
//   - once the loop has released the device at its end (allowSignals).
// A signal that arrives during an operation (painting a 4K frame, opening a
// device) therefore ends the program as soon as that operation returns, and
// no answer for it is written.
#ifndef CORVANE_IO_SAFE_POINTS_H
#define CORVANE_IO_SAFE_POINTS_H

#include <sys/types.h>

#include <cstddef>
#include <string>

// Blocks the signals and installs `release` for each; it must not return
// (it ends the process).
void installReleaseOnSignal(void (*release)(int signalNumber));

// A safe point: a pending signal runs the handler now.
void deliverPendingSignals();

// The end of a holding loop, after its release: the signals are delivered
// at once from here on, so one that came during the release still ends the
// program with its status.
void allowSignals();

// A safe point for as long as it waits: returns true when `fd` has input or
// has reached its end, false on an error.
bool waitUntilReadable(int fd);

// One descriptor to wait for, and whether it became ready.
struct WaitFor {
  int fd;
  bool forWriting;  // else for reading (input, end of input, a connection)
  bool ready;
};

// A safe point for as long as it waits: waits until one of `count`
// descriptors is ready, or `timeoutMs` milliseconds have passed (a negative
// timeout waits without end; no descriptors and a timeout make a pause).
// Any descriptor number is taken. Marks the ready ones (an end of stream or
// an error counts as ready); returns how many are ready, 0 on the timeout,
// -1 on an error.
int waitForAny(WaitFor* fds, size_t count, int timeoutMs);

// One write(2) of at most `size` bytes, a safe point while it runs; its
// result, with errno in `error`.
ssize_t writeOnce(int fd, const char* data, size_t size, int* error);

// Writes all `size` bytes to `fd`. The signals are open during each write
// call itself, so a write that waits for a reader is a safe point; a
// descriptor in non-blocking mode is waited on with the signals open too.
// Returns false when the descriptor refuses the bytes (a reader that went
// away); the rest is then dropped.
bool writeAll(int fd, const char* data, size_t size);

// writeAll to standard output: every line the holding modes write goes out
// at once, unbuffered, so nothing waits in a buffer when the program ends.
bool writeStdout(const std::string& text);

// writeStdout of `line` and a line feed.
bool writeStdoutLine(const std::string& line);

#endif  // CORVANE_IO_SAFE_POINTS_H
