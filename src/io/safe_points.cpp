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
  WaitFor wait = {fd, forWriting, false};
  return waitForAny(&wait, 1, -1) > 0;
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

int waitForAny(WaitFor* fds, size_t count, int timeoutMs) {
  const sigset_t whileWaiting = maskWhileWaiting();
  for (;;) {
    fd_set readable, writable;
    FD_ZERO(&readable);
    FD_ZERO(&writable);
    int highest = -1;
    for (size_t i = 0; i < count; ++i) {
      fds[i].ready = false;
      if (fds[i].fd < 0 || fds[i].fd >= FD_SETSIZE) return -1;
      FD_SET(fds[i].fd, fds[i].forWriting ? &writable : &readable);
      if (fds[i].fd > highest) highest = fds[i].fd;
    }
    struct timespec timeout = {timeoutMs / 1000, (timeoutMs % 1000) * 1000000L};
    const int ready = pselect(highest + 1, &readable, &writable, nullptr,
                              timeoutMs < 0 ? nullptr : &timeout, &whileWaiting);
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return ready;
    for (size_t i = 0; i < count; ++i) {
      fds[i].ready = FD_ISSET(fds[i].fd, fds[i].forWriting ? &writable : &readable);
    }
    return ready;
  }
}

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

bool writeStdoutLine(const std::string& line) { return writeStdout(line + "\n"); }
