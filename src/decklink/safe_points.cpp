#include "decklink/safe_points.h"

#include <sys/select.h>

#include <cerrno>
#include <csignal>

#include "decklink/device_hold.h"

namespace {

sigset_t releaseSignals() {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  return signals;
}

}  // namespace

void installReleaseOnSignal() {
  sigset_t signals = releaseSignals();
  sigprocmask(SIG_BLOCK, &signals, nullptr);
  struct sigaction action = {};
  action.sa_handler = onSignal;
  // While one of the two runs the handler, the other must wait, or the
  // release would run twice over the same references.
  action.sa_mask = signals;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

void deliverPendingSignals() {
  sigset_t pending;
  sigemptyset(&pending);
  sigpending(&pending);
  if (!sigismember(&pending, SIGINT) && !sigismember(&pending, SIGTERM)) return;
  sigset_t signals = releaseSignals();
  sigprocmask(SIG_UNBLOCK, &signals, nullptr);  // the handler runs here
  sigprocmask(SIG_BLOCK, &signals, nullptr);
}

bool waitUntilReadable(int fd) {
  sigset_t whileWaiting;
  sigprocmask(SIG_BLOCK, nullptr, &whileWaiting);
  sigdelset(&whileWaiting, SIGINT);
  sigdelset(&whileWaiting, SIGTERM);
  for (;;) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(fd, &readable);
    // pselect unblocks the two signals only for the wait itself, atomically,
    // so a signal that arrives just before the wait is not missed.
    int ready = pselect(fd + 1, &readable, nullptr, nullptr, nullptr, &whileWaiting);
    if (ready > 0) return true;
    if (ready < 0 && errno != EINTR) return false;
  }
}
