#include "io/safe_points.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <vector>

namespace {

// Every signal that ends the program: interrupted (Ctrl-C), told to stop,
// hung up (the terminal closed, the ssh connection dropped), or told to
// quit (Ctrl-\). Each releases the card.
constexpr int kReleaseSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

sigset_t releaseSignals() {
  sigset_t signals;
  sigemptyset(&signals);
  for (int signalNumber : kReleaseSignals) sigaddset(&signals, signalNumber);
  return signals;
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
  // While one of them runs the handler, the others must wait, or the
  // release would run twice over the same references.
  action.sa_mask = signals;
  for (int signalNumber : kReleaseSignals) sigaction(signalNumber, &action, nullptr);
}

void deliverPendingSignals() {
  sigset_t pending;
  sigemptyset(&pending);
  sigpending(&pending);
  sigset_t signals = releaseSignals();
  bool any = false;
  for (int signalNumber : kReleaseSignals) any = any || sigismember(&pending, signalNumber) == 1;
  if (!any) return;
  sigprocmask(SIG_UNBLOCK, &signals, nullptr);  // the handler runs here
  sigprocmask(SIG_BLOCK, &signals, nullptr);
}

void allowSignals() {
  sigset_t signals = releaseSignals();
  sigprocmask(SIG_UNBLOCK, &signals, nullptr);
}

bool waitUntilReadable(int fd) { return waitUntilReady(fd, false); }

int waitForAny(WaitFor* fds, size_t count, int timeoutMs) {
  // poll, unlike select, takes any descriptor number.
  std::vector<pollfd> polled(count);
  for (size_t i = 0; i < count; ++i) {
    fds[i].ready = false;
    if (fds[i].fd < 0) return -1;
    polled[i] = {fds[i].fd, static_cast<short>(fds[i].forWriting ? POLLOUT : POLLIN), 0};
  }
  const sigset_t signals = releaseSignals();
  for (;;) {
    // The signals are open for the wait alone. The handler never returns,
    // so a signal that comes between the unblock and the poll ends the
    // program as surely as one that comes during it: none is missed.
    sigset_t previous;
    sigprocmask(SIG_UNBLOCK, &signals, &previous);
    const int ready = poll(polled.data(), static_cast<nfds_t>(count), timeoutMs);
    const int error = errno;
    sigprocmask(SIG_SETMASK, &previous, nullptr);
    if (ready < 0 && error == EINTR) continue;
    if (ready <= 0) return ready;
    for (size_t i = 0; i < count; ++i) {
      if (polled[i].revents & POLLNVAL) return -1;
      // An end or an error counts as ready: the read or write that follows
      // reports it.
      fds[i].ready = (polled[i].revents & (polled[i].events | POLLHUP | POLLERR)) != 0;
    }
    return ready;
  }
}

ssize_t writeOnce(int fd, const char* data, size_t size, int* error) {
  // Only the write system call runs with the signals open: no lock of the
  // C library and no driver call is under way, and the held-device state
  // is whole, so the handler may run in it.
  const sigset_t signals = releaseSignals();
  sigset_t previous;
  sigprocmask(SIG_UNBLOCK, &signals, &previous);
  const ssize_t written = write(fd, data, size);
  *error = errno;
  sigprocmask(SIG_SETMASK, &previous, nullptr);
  return written;
}

bool writeAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    int error = 0;
    const ssize_t written = writeOnce(fd, data, size, &error);
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
