#include "io/offered_lines.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "io/format.h"
#include "io/safe_points.h"

namespace {

size_t gDropped = 0;      // lines not shown since the last one that was
std::string gUnfinished;  // the part of a line standard output has not taken yet

// How the servers reach standard output without ever waiting for it.
struct ServerOutput {
  int fd = -1;          // -1: standard output is closed, every line is dropped
  bool socket = false;  // sent to with MSG_DONTWAIT
  bool pollFirst = false;  // no description of its own: polled before each write
};

// A description of standard output that is the server's alone, in
// non-blocking mode. Setting O_NONBLOCK on descriptor 1 itself would change
// the description the shell and every other program on the terminal share;
// opening the object again through /proc gives one of its own. A terminal
// (or a pipe) may say it has room and then block a write, so polling first
// is no guarantee: only a non-blocking description is. A regular file never
// blocks and keeps its shared offset; a socket takes MSG_DONTWAIT. Where
// /proc cannot reopen it (another system), the descriptor is polled first.
ServerOutput openServerOutput() {
  ServerOutput out;
  struct stat shown = {};
  if (fstat(STDOUT_FILENO, &shown) != 0) return out;
  out.fd = STDOUT_FILENO;
  if (S_ISREG(shown.st_mode)) return out;
  if (S_ISSOCK(shown.st_mode)) {
    out.socket = true;
    return out;
  }
  const int own = open("/proc/self/fd/1", O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  struct stat reopened = {};
  if (own >= 0 && fstat(own, &reopened) == 0 && reopened.st_dev == shown.st_dev &&
      reopened.st_ino == shown.st_ino) {
    out.fd = own;
    return out;
  }
  if (own >= 0) close(own);
  out.pollFirst = true;
  return out;
}

// Set while a line is being written: how much of it went out is not known
// yet, so a last line from the signal handler starts on a line of its own.
volatile sig_atomic_t gWriting = 0;

ServerOutput gOutput;
bool gOutputOpened = false;  // a signal handler reads the two, never opens

const ServerOutput& serverOutput() {
  if (!gOutputOpened) {
    gOutput = openServerOutput();
    gOutputOpened = true;
  }
  return gOutput;
}

// One write of `size` bytes that cannot wait, callable from a signal
// handler: no allocation, no lock, no change of the signal mask.
void writeRaw(const ServerOutput& out, const char* data, size_t size) {
  if (out.socket) {
    send(out.fd, data, size, MSG_DONTWAIT | MSG_NOSIGNAL);
    return;
  }
  pollfd ready = {out.fd, POLLOUT, 0};
  if (out.pollFirst && (poll(&ready, 1, 0) != 1 || (ready.revents & POLLOUT) == 0)) return;
  if (write(out.fd, data, size) < 0) return;
}

// Writes what standard output takes of `text` without waiting; -1 when it
// takes nothing.
ssize_t writeWithoutWaiting(const std::string& text) {
  const ServerOutput& out = serverOutput();
  if (out.fd < 0) return -1;
  if (out.socket) {
    return send(out.fd, text.data(), text.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
  }
  if (out.pollFirst) {
    pollfd ready = {out.fd, POLLOUT, 0};
    if (poll(&ready, 1, 0) != 1 || (ready.revents & POLLOUT) == 0) return -1;
  }
  int error = 0;
  return writeOnce(out.fd, text.data(), text.size(), &error);
}

// Writes `text`, keeping what was not taken for the next turn. False when
// nothing of it was taken.
bool writeOrKeep(const std::string& text) {
  gWriting = 1;  // the write is a safe point: the handler may run in it
  const ssize_t written = writeWithoutWaiting(text);
  gWriting = 0;
  if (written <= 0) return false;
  gUnfinished = text.substr(static_cast<size_t>(written));
  return true;
}

// `line` cut to kLongestServerLine bytes, the last three then "...".
std::string boundedLine(const std::string& line) {
  if (line.size() <= kLongestServerLine) return line;
  return line.substr(0, kLongestServerLine - 3) + "...";
}

}  // namespace

bool offerStdoutLine(const std::string& line) {
  if (!gUnfinished.empty() && (!writeOrKeep(gUnfinished) || !gUnfinished.empty())) {
    ++gDropped;
    return false;
  }
  std::string text;
  if (gDropped > 0) {
    text = formatted("(%zu %s not shown: standard output was not taking them)\n", gDropped,
                     gDropped == 1 ? "line" : "lines");
  }
  text += boundedLine(line) + "\n";
  if (!writeOrKeep(text)) {
    ++gDropped;
    return false;
  }
  gDropped = 0;
  return true;
}

bool offerStdoutText(const std::string& text) {
  bool allShown = true;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    allShown = offerStdoutLine(text.substr(start, end - start)) && allShown;
    start = end + 1;
  }
  return allShown;
}

void offerLastLine(const char* line) {
  if (!gOutputOpened || gOutput.fd < 0) return;
  if (gWriting != 0) {
    writeRaw(gOutput, "\n", 1);
  } else if (!gUnfinished.empty()) {
    writeRaw(gOutput, gUnfinished.data(), gUnfinished.size());
  }
  char text[kLongestServerLine + 1];
  size_t size = 0;
  while (size < kLongestServerLine && line[size] != '\0') {
    text[size] = line[size];
    ++size;
  }
  text[size++] = '\n';
  writeRaw(gOutput, text, size);
}
