#include "net/tcp_client.h"

#include <fcntl.h>
#include <netdb.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "io/safe_points.h"

namespace {

// Returns a connected socket, or -1. The connect itself never blocks: the
// wait for its outcome is a safe point.
int connectTo(const SocketAddress& address, int timeoutMs) {
  const int fd = socket(address.storage.ss_family, SOCK_STREAM, 0);
  if (fd < 0) return -1;
  fcntl(fd, F_SETFD, FD_CLOEXEC);
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
  if (connect(fd, reinterpret_cast<const sockaddr*>(&address.storage), address.length) == 0) {
    return fd;
  }
  if (errno == EINPROGRESS) {
    WaitFor writable = {fd, true, false};
    int error = 0;
    socklen_t length = sizeof error;
    if (waitForAny(&writable, 1, timeoutMs) > 0 &&
        getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0) {
      return fd;
    }
  }
  close(fd);
  return -1;
}

}  // namespace

bool resolveAddresses(const Endpoint& endpoint, std::vector<SocketAddress>* addresses,
                      std::string* problem) {
  addrinfo hints = {};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_protocol = IPPROTO_TCP;
  addrinfo* found = nullptr;
  const int status = getaddrinfo(endpoint.host.c_str(), std::to_string(endpoint.port).c_str(),
                                 &hints, &found);
  if (status != 0) {
    *problem = "cannot find host '" + endpoint.host + "': " + gai_strerror(status);
    return false;
  }
  addresses->clear();
  for (const addrinfo* entry = found; entry != nullptr; entry = entry->ai_next) {
    if (entry->ai_addrlen > sizeof(sockaddr_storage)) continue;
    SocketAddress address = {};
    std::memcpy(&address.storage, entry->ai_addr, entry->ai_addrlen);
    address.length = entry->ai_addrlen;
    addresses->push_back(address);
  }
  freeaddrinfo(found);
  if (addresses->empty()) {
    *problem = "host '" + endpoint.host + "' has no address";
    return false;
  }
  return true;
}

int connectToAny(const std::vector<SocketAddress>& addresses, int timeoutMs) {
  for (const SocketAddress& address : addresses) {
    const int fd = connectTo(address, timeoutMs);
    if (fd >= 0) return fd;
  }
  return -1;
}
