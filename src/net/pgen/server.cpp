#include "net/pgen/server.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <memory>
#include <vector>

#include "decklink/held_card.h"
#include "io/offered_lines.h"
#include "io/safe_points.h"
#include "net/pgen/connection.h"
#include "net/pgen/discovery.h"
#include "net/host_picture.h"
#include "net/server_sockets.h"

namespace {

std::string hostName() {
  char name[256] = {};
  if (gethostname(name, sizeof name - 1) != 0) return "corvane";
  return name;
}

// Opens the discovery sockets, or says why there are none.
std::vector<DiscoverySocket> openDiscovery(const PgenOptions& options) {
  std::vector<DiscoverySocket> sockets;
  const Failure refused = openPgenDiscovery(options.listen, options.discoveryPort, &sockets);
  if (refused.failed()) {
    offerStdoutLine("warning: no discovery (" + refused.message +
                    "): type this computer's address into the host instead");
  }
  return sockets;
}

void announce(const std::vector<ServerSocket>& listening,
              const std::vector<DiscoverySocket>& discovery) {
  bool reachable = false;
  for (const ServerSocket& socket : listening) {
    offerStdoutLine("listening on " + socketAddressText(&socket.bound.storage) + " (TCP)");
    reachable = reachable || !isLoopback(socket.bound);
  }
  for (const DiscoverySocket& socket : discovery) {
    for (const std::string& line : discoveryLines(socket)) offerStdoutLine(line);
  }
  if (reachable) {
    offerStdoutLine(
        "The PGenerator protocol has no authentication: anyone who can reach these addresses "
        "can change the picture. --listen 127.0.0.1 restricts it to this computer.");
  }
  offerStdoutLine("waiting for hosts");
}

// The next connection on `listener`, non-blocking and close-on-exec; null
// when it went away before it was taken.
std::unique_ptr<PgenConnection> acceptFrom(int listener) {
  sockaddr_storage peer = {};
  socklen_t length = sizeof peer;
  const int fd = accept(listener, reinterpret_cast<sockaddr*>(&peer), &length);
  if (fd < 0) return nullptr;
  fcntl(fd, F_SETFD, FD_CLOEXEC);
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
  return std::make_unique<PgenConnection>(fd, socketAddressText(&peer));
}

void endConnection(std::unique_ptr<PgenConnection>* connection, const std::string& why) {
  offerStdoutLine("connection from " + (*connection)->peer() + " ended: " + why);
  connection->reset();
}

// Waits at the safe point for whatever comes first, then handles it: a
// discovery datagram, a new connection (which replaces the current one),
// or the current connection's next step.
[[noreturn]] void serveHosts(const std::vector<ServerSocket>& listening,
                             const std::vector<DiscoverySocket>& discovery,
                             PgenServerState* state) {
  std::unique_ptr<PgenConnection> connection;
  for (;;) {
    std::vector<WaitFor> waits;
    for (const DiscoverySocket& socket : discovery) {
      waits.push_back({socket.socket.fd, false, false});
    }
    for (const ServerSocket& socket : listening) waits.push_back({socket.fd, false, false});
    const size_t sockets = waits.size();
    PgenConnection::Want want = PgenConnection::Want::kRead;
    int timeoutMs = -1;
    if (connection) {
      want = connection->want();
      if (want == PgenConnection::Want::kEnd) {
        endConnection(&connection, connection->endReason());
        continue;
      }
      if (want == PgenConnection::Want::kHandle) timeoutMs = 0;
      if (want == PgenConnection::Want::kWrite) timeoutMs = connection->msLeftToWrite();
      if (want != PgenConnection::Want::kHandle) {
        waits.push_back({connection->fd(), want == PgenConnection::Want::kWrite, false});
      }
    }
    if (waitForAny(waits.data(), waits.size(), timeoutMs) < 0) {
      offerStdoutLine("waiting for hosts failed; trying again in a second");
      waitForAny(nullptr, 0, 1000);
      continue;
    }
    for (size_t i = 0; i < discovery.size(); ++i) {
      if (waits[i].ready) answerPgenDiscovery(discovery[i]);
    }
    bool replaced = false;
    for (size_t i = discovery.size(); i < sockets; ++i) {
      if (!waits[i].ready) continue;
      std::unique_ptr<PgenConnection> next = acceptFrom(waits[i].fd);
      if (!next) continue;
      if (connection) endConnection(&connection, "a new connection replaced it");
      connection = std::move(next);
      offerStdoutLine("connection from " + connection->peer());
      replaced = true;
    }
    if (!connection || replaced) continue;
    const bool ready = waits.size() > sockets && waits[sockets].ready;
    std::string ended;
    if (want == PgenConnection::Want::kHandle) ended = connection->handleCommand(state);
    if (want == PgenConnection::Want::kRead && ready) ended = connection->readMore();
    if (want == PgenConnection::Want::kWrite) ended = connection->writeMore();
    if (!ended.empty()) endConnection(&connection, ended);
  }
}

}  // namespace

Failure runPgen(const PgenOptions& options) {
  showStartingBlack();
  std::vector<ServerSocket> listening;
  const Failure refused =
      openServerSockets(SOCK_STREAM, options.listen, options.port, &listening);
  if (refused.failed()) return refused;
  const std::vector<DiscoverySocket> discovery = openDiscovery(options);
  announce(listening, discovery);
  PgenServerState state;
  state.facts = {gMode->width, gMode->height, gMode->name, hostName()};
  state.hdrOn = options.hdrOn;
  serveHosts(listening, discovery, &state);
}
