#include "net/tcp_client.h"

#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <unistd.h>

#include <cerrno>

#include "io/safe_points.h"

namespace {

// TCP keep-alive: after kKeepAliveIdleS seconds without a byte either way,
// a probe every kKeepAliveIntervalS seconds; kKeepAliveProbes unanswered
// probes end the connection. A host whose computer lost power or its
// network is noticed within a minute, however long it pauses on purpose.
constexpr int kKeepAliveIdleS = 30;
constexpr int kKeepAliveIntervalS = 5;
constexpr int kKeepAliveProbes = 6;

void keepAlive(int fd) {
  const int on = 1, idle = kKeepAliveIdleS, interval = kKeepAliveIntervalS,
            probes = kKeepAliveProbes;
  setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on);
#ifdef TCP_KEEPIDLE
  setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &idle, sizeof idle);
#else
  setsockopt(fd, IPPROTO_TCP, TCP_KEEPALIVE, &idle, sizeof idle);  // the same, by its macOS name
#endif
  setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &interval, sizeof interval);
  setsockopt(fd, IPPROTO_TCP, TCP_KEEPCNT, &probes, sizeof probes);
}

// Returns a connected socket, or -1. The connect itself never blocks: the
// wait for its outcome is a safe point.
int connectTo(const SocketAddress& address, int timeoutMs) {
  const int fd = socket(address.storage.ss_family, SOCK_STREAM, 0);
  if (fd < 0) return -1;
  fcntl(fd, F_SETFD, FD_CLOEXEC);
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
  keepAlive(fd);
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

int connectToAny(const std::vector<SocketAddress>& addresses, int timeoutMs) {
  for (const SocketAddress& address : addresses) {
    const int fd = connectTo(address, timeoutMs);
    if (fd >= 0) return fd;
  }
  return -1;
}
