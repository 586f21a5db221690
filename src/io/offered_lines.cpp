#include "io/offered_lines.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "io/format.h"
#include "io/safe_points.h"

namespace {

size_t gDropped = 0;      // lines not shown since the last one that was
std::string gUnfinished;  // the part of a line standard output has not taken yet

// Writes what standard output takes of `text` without waiting; -1 when it
// takes nothing. A pipe or a terminal that polls writable takes a short
// line without blocking (every line here is far below a pipe's atomic
// write size); a socket, such as the journal's, is told not to wait.
ssize_t writeWithoutWaiting(const std::string& text) {
  pollfd out = {STDOUT_FILENO, POLLOUT, 0};
  if (poll(&out, 1, 0) != 1 || (out.revents & POLLOUT) == 0) return -1;
  static bool isSocket = true;  // until send says otherwise
  if (isSocket) {
    const ssize_t sent = send(STDOUT_FILENO, text.data(), text.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
    if (sent >= 0 || errno != ENOTSOCK) return sent;
    isSocket = false;
  }
  int error = 0;
  return writeOnce(STDOUT_FILENO, text.data(), text.size(), &error);
}

// Writes `text`, keeping what was not taken for the next turn. False when
// nothing of it was taken.
bool writeOrKeep(const std::string& text) {
  const ssize_t written = writeWithoutWaiting(text);
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
