#include "net/resolve/session.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "decklink/held_device.h"
#include "io/safe_points.h"
#include "net/resolve/framing.h"
#include "net/resolve/message.h"
#include "net/resolve/picture.h"

namespace {

// How long one connection attempt may take, and the pause between rounds
// of attempts while the host is not listening.
constexpr int kConnectTimeoutMs = 3000;
constexpr int kRetryPauseMs = 1000;

void showMessage(const std::string& xml) {
  ResolveMessage message;
  std::string problem;
  if (!parseResolveMessage(xml, &message, &problem)) {
    writeStdoutLine("message ignored: " + problem);
    return;
  }
  const ResolvePicture picture = resolvePicture(message, gMode->width, gMode->height);
  const ShowResult shown = showRects(picture.background, picture.rects);
  deliverPendingSignals();
  if (shown != ShowResult::kShown) {
    writeStdoutLine(std::string("patch not shown: ") + whyNotShown(shown));
    return;
  }
  writeStdoutLine(pictureLine(picture.background, picture.rects));
}

// Connects, trying every address once a second; says once that it waits.
int connectToHost(const std::string& name, const std::vector<SocketAddress>& addresses) {
  bool said = false;
  for (;;) {
    const int fd = connectToAny(addresses, kConnectTimeoutMs);
    if (fd >= 0) {
      writeStdoutLine("connected to " + name);
      return fd;
    }
    if (!said) writeStdoutLine("waiting for " + name);
    said = true;
    waitForAny(nullptr, 0, kRetryPauseMs);
  }
}

// Reads and shows messages until the connection ends; returns why it ended.
std::string readMessages(int fd) {
  ResolveFraming framing;
  std::string message, problem;
  char buffer[64 * 1024];
  for (;;) {
    if (!waitUntilReadable(fd)) return "waiting for the host failed";
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got == 0) return "the host closed the connection";
    if (got < 0) {
      if (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK) continue;
      return std::string("read error: ") + std::strerror(errno);
    }
    framing.feed(buffer, static_cast<size_t>(got));
    for (;;) {
      switch (framing.next(&message, &problem)) {
        case ResolveFraming::Event::kNeedMore: break;
        case ResolveFraming::Event::kMessage: showMessage(message); continue;
        case ResolveFraming::Event::kEnd: return "end of session";
        case ResolveFraming::Event::kError: return "protocol error: " + problem;
      }
      break;
    }
  }
}

}  // namespace

void runResolve(const Endpoint& host, const std::vector<SocketAddress>& addresses) {
  const ShowResult black = showRects({}, {});
  deliverPendingSignals();
  if (black != ShowResult::kShown) {
    writeStdoutLine(std::string("black frame not shown: ") + whyNotShown(black));
  }
  const std::string name = endpointText(host);
  for (;;) {
    const int fd = connectToHost(name, addresses);
    const std::string why = readMessages(fd);
    close(fd);
    writeStdoutLine("connection ended: " + why);
  }
}
