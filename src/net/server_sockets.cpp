#include "net/server_sockets.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

// How often a pair of sockets on a port the system picked is tried again
// when that port is free for IPv4 but taken for IPv6.
constexpr int kPickedPortTries = 20;

struct Address {
  sockaddr_storage storage = {};
  socklen_t length = 0;
};

bool addressFor(int family, const std::string& text, uint16_t port, Address* address) {
  std::string literal = text;
  if (literal.size() >= 2 && literal.front() == '[' && literal.back() == ']') {
    literal = literal.substr(1, literal.size() - 2);
  }
  if (family == AF_INET) {
    sockaddr_in* v4 = reinterpret_cast<sockaddr_in*>(&address->storage);
    v4->sin_family = AF_INET;
    v4->sin_port = htons(port);
    address->length = sizeof *v4;
    return literal.empty() ? (v4->sin_addr.s_addr = htonl(INADDR_ANY), true)
                           : inet_pton(AF_INET, literal.c_str(), &v4->sin_addr) == 1;
  }
  sockaddr_in6* v6 = reinterpret_cast<sockaddr_in6*>(&address->storage);
  v6->sin6_family = AF_INET6;
  v6->sin6_port = htons(port);
  address->length = sizeof *v6;
  return literal.empty() ? (v6->sin6_addr = in6addr_any, true)
                         : inet_pton(AF_INET6, literal.c_str(), &v6->sin6_addr) == 1;
}

std::string boundName(int fd) {
  sockaddr_storage bound = {};
  socklen_t length = sizeof bound;
  getsockname(fd, reinterpret_cast<sockaddr*>(&bound), &length);
  return socketAddressText(&bound);
}

uint16_t boundPort(int fd) {
  sockaddr_storage bound = {};
  socklen_t length = sizeof bound;
  getsockname(fd, reinterpret_cast<sockaddr*>(&bound), &length);
  return ntohs(bound.ss_family == AF_INET6 ? reinterpret_cast<sockaddr_in6*>(&bound)->sin6_port
                                           : reinterpret_cast<sockaddr_in*>(&bound)->sin_port);
}

// One socket, bound and (for TCP) listening; -1 with errno set when not.
int openOne(int type, const Address& address) {
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
  if (bind(fd, reinterpret_cast<const sockaddr*>(&address.storage), address.length) != 0 ||
      (type == SOCK_STREAM && listen(fd, 8) != 0)) {
    const int error = errno;
    close(fd);
    errno = error;
    return -1;
  }
  return fd;
}

// A system without IPv6, or without an IPv6 address, is no failure when
// listening on all interfaces.
bool familyMissing(int error) {
  return error == EAFNOSUPPORT || error == EADDRNOTAVAIL || error == EPROTONOSUPPORT;
}

enum class Outcome { kOpen, kFailed, kPickAgain };

Outcome openAll(int type, const std::string& address, uint16_t requested,
                std::vector<ServerSocket>* sockets, std::string* problem, int* error) {
  const bool everywhere = address.empty();
  uint16_t port = requested;
  for (int family : {AF_INET, AF_INET6}) {
    Address bindTo;
    if (!addressFor(family, address, port, &bindTo)) continue;
    const int fd = openOne(type, bindTo);
    if (fd < 0) {
      *error = errno;
      if (everywhere && family == AF_INET6 && familyMissing(*error)) continue;
      const std::string name = socketAddressText(&bindTo.storage);
      *problem = "cannot bind " + name + ": " + std::strerror(*error);
      closeServerSockets(sockets);
      // The port the system picked for IPv4 may be taken for IPv6.
      const bool picked = requested == 0 && everywhere && family == AF_INET6;
      return picked && *error == EADDRINUSE ? Outcome::kPickAgain : Outcome::kFailed;
    }
    sockets->push_back({fd, boundName(fd)});
    // The second family takes the port the system picked for the first.
    port = boundPort(fd);
  }
  return Outcome::kOpen;
}

}  // namespace

bool isAddressLiteral(const std::string& text) {
  Address ignored;
  return !text.empty() && (addressFor(AF_INET, text, 0, &ignored) ||
                           addressFor(AF_INET6, text, 0, &ignored));
}

bool openServerSockets(int type, const std::string& address, uint16_t port,
                       std::vector<ServerSocket>* sockets, std::string* problem, int* error) {
  sockets->clear();
  if (!address.empty() && !isAddressLiteral(address)) {
    *problem = "'" + address + "' is not an IPv4 or IPv6 address";
    *error = EINVAL;
    return false;
  }
  for (int tries = 0; tries < kPickedPortTries; ++tries) {
    const Outcome outcome = openAll(type, address, port, sockets, problem, error);
    if (outcome == Outcome::kOpen) return true;
    if (outcome == Outcome::kFailed || port != 0) return false;
  }
  return false;
}

void closeServerSockets(std::vector<ServerSocket>* sockets) {
  for (const ServerSocket& socket : *sockets) close(socket.fd);
  sockets->clear();
}

std::string socketAddressText(const void* address) {
  const sockaddr_storage* storage = static_cast<const sockaddr_storage*>(address);
  char text[INET6_ADDRSTRLEN] = "?";
  if (storage->ss_family == AF_INET6) {
    const sockaddr_in6* v6 = static_cast<const sockaddr_in6*>(address);
    inet_ntop(AF_INET6, &v6->sin6_addr, text, sizeof text);
    return "[" + std::string(text) + "]:" + std::to_string(ntohs(v6->sin6_port));
  }
  const sockaddr_in* v4 = static_cast<const sockaddr_in*>(address);
  inet_ntop(AF_INET, &v4->sin_addr, text, sizeof text);
  return std::string(text) + ":" + std::to_string(ntohs(v4->sin_port));
}
