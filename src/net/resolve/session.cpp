#include "net/resolve/session.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>

#include "decklink/held_card.h"
#include "io/format.h"
#include "io/offered_lines.h"
#include "io/safe_points.h"
#include "net/host_picture.h"
#include "net/resolve/framing.h"
#include "net/resolve/message.h"
#include "net/resolve/picture.h"

namespace {

using Clock = std::chrono::steady_clock;

// How long one connection attempt may take, and the pause between rounds
// of attempts while the host is not listening.
constexpr int kConnectTimeoutMs = 3000;
constexpr int kRetryPauseMs = 1000;

// The pause before connecting again after a connection ended: 1 s, doubled
// for each connection in a row that ended without a message, up to 8 s, so
// a host that accepts and closes at once is not flooded with connections.
constexpr int kFirstReconnectPauseMs = 1000;
constexpr int kLongestReconnectPauseMs = 8000;

void showMessage(const std::string& xml) {
  ResolveMessage message;
  const Failure read = parseResolveMessage(xml, &message);
  if (read.failed()) {
    offerStdoutLine("message ignored: " + read.message);
    return;
  }
  showAndReport(resolvePicture(message, gMode->width, gMode->height));
}

int msUntil(Clock::time_point deadline) {
  const auto left =
      std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

// Reads and shows messages until the connection ends; returns why it ended.
// Between messages it waits as long as the host likes; a message that has
// begun must end within kResolveMessageTimeoutMs. `messages` counts the
// whole messages received.
std::string readMessages(int fd, int* messages) {
  ResolveFraming framing;
  std::string message, problem;
  Clock::time_point deadline;  // for the message begun, while one is
  char buffer[64 * 1024];
  for (;;) {
    WaitFor readable = {fd, false, false};
    const int timeoutMs = framing.holdsPart() ? msUntil(deadline) : -1;
    const int ready = waitForAny(&readable, 1, timeoutMs);
    if (ready < 0) return "waiting for the host failed";
    if (ready == 0) {
      return formatted("protocol error: a message did not end within %d seconds",
                       kResolveMessageTimeoutMs / 1000);
    }
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got == 0) return "the host closed the connection";
    if (got < 0) {
      if (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK) continue;
      return std::string("read error: ") + std::strerror(errno);
    }
    const bool wasInPart = framing.holdsPart();
    framing.feed(buffer, static_cast<size_t>(got));
    bool ended = false;
    for (;;) {
      switch (framing.next(&message, &problem)) {
        case ResolveFraming::Event::kNeedMore: break;
        case ResolveFraming::Event::kMessage:
          ++*messages;
          ended = true;
          showMessage(message);
          continue;
        case ResolveFraming::Event::kEnd: return "end of session";
        case ResolveFraming::Event::kError: return "protocol error: " + problem;
      }
      break;
    }
    // A message whose first bytes came in this read begins its time now.
    if (framing.holdsPart() && (!wasInPart || ended)) {
      deadline = Clock::now() + std::chrono::milliseconds(kResolveMessageTimeoutMs);
    }
  }
}

}  // namespace

int connectToHost(const Endpoint& host, LookUpHost lookUp) {
  const std::string name = endpointText(host);
  std::string said;  // the waiting line said last: each is said once in a row
  for (;;) {
    std::vector<SocketAddress> addresses;
    std::string waiting = "waiting for " + host.host + " to resolve";
    if (!lookUp(host.host, host.port, &addresses).failed()) {
      const int fd = connectToAny(addresses, kConnectTimeoutMs);
      if (fd >= 0) {
        offerStdoutLine("connected to " + name);
        return fd;
      }
      waiting = "waiting for " + name;
    }
    if (waiting != said) offerStdoutLine(waiting);
    said = waiting;
    waitForAny(nullptr, 0, kRetryPauseMs);
  }
}

void runResolve(const Endpoint& host) {
  showStartingBlack();
  const std::string name = endpointText(host);
  int pauseMs = kFirstReconnectPauseMs;
  for (;;) {
    const int fd = connectToHost(host, lookUpHostAtSafePoint);
    int messages = 0;
    const std::string why = readMessages(fd, &messages);
    close(fd);
    if (messages > 0) pauseMs = kFirstReconnectPauseMs;
    offerStdoutLine(
        formatted("connection ended: %s; connecting again in %d s", why.c_str(), pauseMs / 1000));
    waitForAny(nullptr, 0, pauseMs);
    if (messages == 0) pauseMs = std::min(2 * pauseMs, kLongestReconnectPauseMs);
  }
}
