#include "io/safe_points.h"

#include <sys/select.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace {

sigset_t releaseSignals() {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  return signals;
}

// The current mask without the two signals: pselect installs it only for
// the wait itself, atomically, so a signal that arrives just before the wait
// is not missed.
sigset_t maskWhileWaiting() {
  sigset_t mask;
  sigprocmask(SIG_BLOCK, nullptr, &mask);
  sigdelset(&mask, SIGINT);
  sigdelset(&mask, SIGTERM);
  return mask;
}

// Waits at a safe point until `fd` is ready for reading or for writing.
bool waitUntilReady(int fd, bool forWriting) {
  const sigset_t whileWaiting = maskWhileWaiting();
  for (;;) {
    fd_set ready;
    FD_ZERO(&ready);
    FD_SET(fd, &ready);
    int count = pselect(fd + 1, forWriting ? nullptr : &ready, forWriting ? &ready : nullptr,
                        nullptr, nullptr, &whileWaiting);
    if (count > 0) return true;
    if (count < 0 && errno != EINTR) return false;
  }
}

}  // namespace

void installReleaseOnSignal(void (*release)(int)) {
  sigset_t signals = releaseSignals();
  sigprocmask(SIG_BLOCK, &signals, nullptr);
  struct sigaction action = {};
  action.sa_handler = release;
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

void allowSignals() {
  sigset_t signals = releaseSignals();
  sigprocmask(SIG_UNBLOCK, &signals, nullptr);
}

bool waitUntilReadable(int fd) { return waitUntilReady(fd, false); }

bool writeAll(int fd, const char* data, size_t size) {
  const sigset_t signals = releaseSignals();
  while (size > 0) {
    // Only the write system call runs with the signals open: no lock of the
    // C library and no driver call is under way, and the held-device state
    // is whole, so the handler may run in it.
    sigset_t previous;
    sigprocmask(SIG_UNBLOCK, &signals, &previous);
    const ssize_t written = write(fd, data, size);
    const int error = errno;
    sigprocmask(SIG_SETMASK, &previous, nullptr);
    if (written > 0) {
      data += written;
      size -= static_cast<size_t>(written);
    } else if (written < 0 && error == EINTR) {
      continue;
    } else if (written < 0 && (error == EAGAIN || error == EWOULDBLOCK)) {
      if (!waitUntilReady(fd, true)) return false;
    } else {
      return false;
    }
  }
  return true;
}

bool writeStdout(const std::string& text) {
  return writeAll(STDOUT_FILENO, text.data(), text.size());
}
