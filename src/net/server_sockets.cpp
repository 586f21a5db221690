#include "net/server_sockets.h"

#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

// How often a set of sockets on a port the system picked is tried again
// when that port is free for one address but taken for another.
constexpr int kPickedPortTries = 20;

void setPort(SocketAddress* address, uint16_t port) {
  if (address->storage.ss_family == AF_INET6) {
    reinterpret_cast<sockaddr_in6*>(&address->storage)->sin6_port = htons(port);
  } else {
    reinterpret_cast<sockaddr_in*>(&address->storage)->sin_port = htons(port);
  }
}

SocketAddress boundAddress(int fd) {
  SocketAddress bound = {};
  bound.length = sizeof bound.storage;
  getsockname(fd, reinterpret_cast<sockaddr*>(&bound.storage), &bound.length);
  return bound;
}

uint16_t portOf(const SocketAddress& address) {
  return ntohs(address.storage.ss_family == AF_INET6
                   ? reinterpret_cast<const sockaddr_in6*>(&address.storage)->sin6_port
                   : reinterpret_cast<const sockaddr_in*>(&address.storage)->sin_port);
}

// One socket, bound and (for TCP) listening; -1 with errno set when not.
int openOne(int type, const SocketAddress& address) {
  const int fd = socket(address.storage.ss_family, type, 0);
  if (fd < 0) return -1;
  fcntl(fd, F_SETFD, FD_CLOEXEC);
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
  const int yes = 1;
  // A restarted corvane may bind the port while the last one's connections
  // are still in TIME_WAIT.
  if (type == SOCK_STREAM) setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  if (address.storage.ss_family == AF_INET6) {
    setsockopt(fd, IPPROTO_IPV6, IPV6_V6ONLY, &yes, sizeof yes);
  }
  // SOMAXCONN: a burst of hosts connecting at once waits in the queue
  // instead of being dropped into the client's retry delay.
  if (bind(fd, reinterpret_cast<const sockaddr*>(&address.storage), address.length) != 0 ||
      (type == SOCK_STREAM && listen(fd, SOMAXCONN) != 0)) {
    const int error = errno;
    close(fd);
    errno = error;
    return -1;
  }
  return fd;
}

// A system without IPv6, or without an address of that family.
bool familyMissing(int error) {
  return error == EAFNOSUPPORT || error == EADDRNOTAVAIL || error == EPROTONOSUPPORT;
}

enum class Outcome { kOpen, kFailed, kPickAgain };

Outcome openAll(int type, std::vector<SocketAddress> addresses, uint16_t requested,
                std::vector<ServerSocket>* sockets, Failure* refused) {
  uint16_t port = requested;
  for (size_t i = 0; i < addresses.size(); ++i) {
    SocketAddress& address = addresses[i];
    setPort(&address, port);
    const int fd = openOne(type, address);
    if (fd < 0) {
      const int error = errno;
      const bool others = sockets->size() + (addresses.size() - i - 1) > 0;
      if (others && familyMissing(error)) continue;
      *refused =
          failure(FailureCode::kFailed, "cannot bind " + socketAddressText(&address.storage) +
                                            ": " + std::strerror(error));
      refused->systemError = error;
      closeServerSockets(sockets);
      // The port the system picked for the first address may be taken for
      // a later one.
      const bool picked = requested == 0 && i > 0;
      return picked && error == EADDRINUSE ? Outcome::kPickAgain : Outcome::kFailed;
    }
    const SocketAddress bound = boundAddress(fd);
    sockets->push_back({fd, bound});
    // The later addresses take the port the system picked for the first.
    port = portOf(bound);
  }
  if (!sockets->empty()) return Outcome::kOpen;
  *refused = failure(FailureCode::kFailed, "no address to bind");
  refused->systemError = EADDRNOTAVAIL;
  return Outcome::kFailed;
}

}  // namespace

SocketAddress anyAddress(int family) {
  SocketAddress address = {};
  if (family == AF_INET6) {
    sockaddr_in6* v6 = reinterpret_cast<sockaddr_in6*>(&address.storage);
    v6->sin6_family = AF_INET6;
    v6->sin6_addr = in6addr_any;
    address.length = sizeof *v6;
  } else {
    sockaddr_in* v4 = reinterpret_cast<sockaddr_in*>(&address.storage);
    v4->sin_family = AF_INET;
    v4->sin_addr.s_addr = htonl(INADDR_ANY);
    address.length = sizeof *v4;
  }
  return address;
}

Failure openServerSockets(int type, const std::vector<SocketAddress>& addresses, uint16_t port,
                          std::vector<ServerSocket>* sockets) {
  sockets->clear();
  Failure refused;
  const std::vector<SocketAddress> where =
      addresses.empty() ? std::vector<SocketAddress>{anyAddress(AF_INET), anyAddress(AF_INET6)}
                        : addresses;
  for (int tries = 0; tries < kPickedPortTries; ++tries) {
    const Outcome outcome = openAll(type, where, port, sockets, &refused);
    if (outcome == Outcome::kOpen) return {};
    if (outcome == Outcome::kFailed || port != 0) break;
  }
  return refused;
}

void closeServerSockets(std::vector<ServerSocket>* sockets) {
  for (const ServerSocket& socket : *sockets) close(socket.fd);
  sockets->clear();
}
