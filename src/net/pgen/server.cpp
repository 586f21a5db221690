#include "net/pgen/server.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <chrono>
#include <memory>
#include <vector>

#include "decklink/held_card.h"
#include "io/format.h"
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

// How long accepting pauses when the process (or the system) is out of
// descriptors: the connection stays in the system's queue, and accept
// would fail again at once, thousands of times a second.
constexpr int kAcceptPauseMs = 1000;

// The next connection on `listener`, non-blocking and close-on-exec; null
// when it went away before it was taken, or could not be taken (`error`
// then holds errno).
std::unique_ptr<PgenConnection> acceptFrom(int listener, int* error) {
  sockaddr_storage peer = {};
  socklen_t length = sizeof peer;
  const int fd = accept(listener, reinterpret_cast<sockaddr*>(&peer), &length);
  *error = fd < 0 ? errno : 0;
  if (fd < 0) return nullptr;
  fcntl(fd, F_SETFD, FD_CLOEXEC);
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
  return std::make_unique<PgenConnection>(fd, socketAddressText(&peer));
}

void endConnection(std::unique_ptr<PgenConnection>* connection, const std::string& why) {
  offerStdoutLine("connection from " + (*connection)->peer() + " ended: " + why);
  connection->reset();
}

// A connection that came while a host was being served: it takes that
// host's place only once it has sent a whole command, so that a port scan,
// a monitoring probe or a second computer opening its software does not end
// a calibration under way.
struct Newcomer {
  std::unique_ptr<PgenConnection> connection;
  std::chrono::steady_clock::time_point deadline;  // for its first whole command
};

// How many newcomers wait at once; one more ends the one waiting longest.
constexpr size_t kMaxNewcomers = 8;

int msUntil(std::chrono::steady_clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
      deadline - std::chrono::steady_clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) + 1 : 0;
}

// Everything the server serves, and what it waits for in one turn.
struct Hosts {
  std::unique_ptr<PgenConnection> active;  // the host being served
  std::vector<Newcomer> newcomers;
  // While out of descriptors: no accept before this; said once.
  std::chrono::steady_clock::time_point acceptPausedUntil;
  bool outOfDescriptors = false;
};

// Takes a connection accepted from a listening socket: the active one when
// there is none, else a newcomer.
void admit(Hosts* hosts, std::unique_ptr<PgenConnection> next) {
  offerStdoutLine("connection from " + next->peer());
  if (!hosts->active) {
    hosts->active = std::move(next);
    return;
  }
  if (hosts->newcomers.size() == kMaxNewcomers) {
    endConnection(&hosts->newcomers.front().connection, "too many new connections at once");
    hosts->newcomers.erase(hosts->newcomers.begin());
  }
  hosts->newcomers.push_back(
      {std::move(next), std::chrono::steady_clock::now() +
                            std::chrono::milliseconds(kPgenFirstCommandTimeoutMs)});
}

// Takes the next connection from `listener`. Out of descriptors, pauses
// accepting (saying so once) while the active host is served on; the first
// connection taken afterwards says it has recovered.
void acceptNext(Hosts* hosts, int listener) {
  int error = 0;
  std::unique_ptr<PgenConnection> next = acceptFrom(listener, &error);
  if (next) {
    if (hosts->outOfDescriptors) offerStdoutLine("descriptors free again: accepting connections");
    hosts->outOfDescriptors = false;
    admit(hosts, std::move(next));
    return;
  }
  if (error != EMFILE && error != ENFILE && error != ENOBUFS && error != ENOMEM) return;
  if (!hosts->outOfDescriptors) {
    offerStdoutLine(std::string("cannot accept connections: ") + std::strerror(error) +
                    "; the host being served is served on, new ones wait and are tried again "
                    "every second");
  }
  hosts->outOfDescriptors = true;
  hosts->acceptPausedUntil =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(kAcceptPauseMs);
}

// A newcomer's turn: reads what it sent when `readable`; true when it has
// sent a whole command and replaced the active host; ends it when it went
// away or its time ran out.
bool newcomerTurn(Hosts* hosts, size_t index, bool readable) {
  Newcomer& newcomer = hosts->newcomers[index];
  std::string ended = readable ? newcomer.connection->readMore() : "";
  PgenConnection::Want want = PgenConnection::Want::kRead;
  if (ended.empty()) want = newcomer.connection->want();
  if (want == PgenConnection::Want::kEnd) ended = newcomer.connection->endReason();
  if (want == PgenConnection::Want::kRead && ended.empty() && msUntil(newcomer.deadline) == 0) {
    ended = formatted("no whole command within %d ms", kPgenFirstCommandTimeoutMs);
  }
  if (!ended.empty()) {
    endConnection(&newcomer.connection, ended);
  } else if (want == PgenConnection::Want::kHandle) {
    if (hosts->active) endConnection(&hosts->active, "a new connection replaced it");
    hosts->active = std::move(newcomer.connection);
  }
  const bool replaced = !newcomer.connection && ended.empty();
  if (!newcomer.connection) hosts->newcomers.erase(hosts->newcomers.begin() + index);
  return replaced;
}

// Waits at the safe point for whatever comes first, then handles it: a
// discovery datagram, a new connection, a newcomer's bytes (or its end),
// or the active host's next step.
[[noreturn]] void serveHosts(const std::vector<ServerSocket>& listening,
                             const std::vector<DiscoverySocket>& discovery,
                             PgenServerState* state) {
  Hosts hosts;
  for (;;) {
    std::vector<WaitFor> waits;
    for (const DiscoverySocket& socket : discovery) {
      waits.push_back({socket.socket.fd, false, false});
    }
    // While accepting pauses, the listening sockets are not waited for,
    // and the turn ends at the pause's end.
    const int pausedMs = msUntil(hosts.acceptPausedUntil);
    for (const ServerSocket& socket : listening) {
      if (pausedMs == 0) waits.push_back({socket.fd, false, false});
    }
    const size_t sockets = waits.size();
    int timeoutMs = pausedMs > 0 ? pausedMs : -1;
    for (const Newcomer& newcomer : hosts.newcomers) {
      waits.push_back({newcomer.connection->fd(), false, false});
      const int left = msUntil(newcomer.deadline);
      timeoutMs = timeoutMs < 0 || left < timeoutMs ? left : timeoutMs;
    }
    PgenConnection::Want want = PgenConnection::Want::kRead;
    if (hosts.active) {
      want = hosts.active->want();
      if (want == PgenConnection::Want::kEnd) {
        endConnection(&hosts.active, hosts.active->endReason());
        continue;
      }
      if (want == PgenConnection::Want::kHandle) timeoutMs = 0;
      if (want == PgenConnection::Want::kWrite) {
        const int left = hosts.active->msLeftToWrite();
        timeoutMs = timeoutMs < 0 || left < timeoutMs ? left : timeoutMs;
      }
      if (want != PgenConnection::Want::kHandle) {
        waits.push_back({hosts.active->fd(), want == PgenConnection::Want::kWrite, false});
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
    // The newcomers of this turn are the first ones; those accepted now
    // are read in the next.
    bool replaced = false;
    for (size_t i = hosts.newcomers.size(); i-- > 0;) {
      replaced = newcomerTurn(&hosts, i, waits[sockets + i].ready) || replaced;
    }
    for (size_t i = discovery.size(); i < sockets; ++i) {
      if (waits[i].ready) acceptNext(&hosts, waits[i].fd);
    }
    if (!hosts.active || replaced) continue;
    const bool ready = waits.size() > sockets && waits.back().ready;
    std::string ended;
    if (want == PgenConnection::Want::kHandle) ended = hosts.active->handleCommand(state);
    if (want == PgenConnection::Want::kRead && ready) ended = hosts.active->readMore();
    if (want == PgenConnection::Want::kWrite) ended = hosts.active->writeMore();
    if (!ended.empty()) endConnection(&hosts.active, ended);
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
