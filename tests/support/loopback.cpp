#include "support/loopback.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

namespace {

// A peer that went away must fail the send, not kill the test with SIGPIPE
// (macOS has SO_NOSIGPIPE instead of the flag).
#ifdef MSG_NOSIGNAL
constexpr int kNoSignal = MSG_NOSIGNAL;
#else
constexpr int kNoSignal = 0;
#endif

sockaddr_in loopback(uint16_t port) {
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(port);
  return address;
}

uint16_t boundPort(int fd) {
  sockaddr_in address = {};
  socklen_t length = sizeof address;
  if (getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) return 0;
  return ntohs(address.sin_port);
}

// Sockets are made close-on-exec with fcntl, which every POSIX system has,
// so that no child corvane inherits the test's end.
int newSocket(int type) {
  const int fd = ::socket(AF_INET, type, 0);
  if (fd >= 0) fcntl(fd, F_SETFD, FD_CLOEXEC);
#ifdef SO_NOSIGPIPE
  const int yes = 1;
  if (fd >= 0) setsockopt(fd, SOL_SOCKET, SO_NOSIGPIPE, &yes, sizeof yes);
#endif
  return fd;
}

void noDelay(int fd) {
  const int yes = 1;
  setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
}

int bindLoopback(int type, uint16_t port) {
  const int fd = newSocket(type);
  if (fd < 0) return -1;
  const int yes = 1;
  setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  const sockaddr_in address = loopback(port);
  if (bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

LoopbackSocket::LoopbackSocket(int fd) : fd_(fd), port_(fd >= 0 ? boundPort(fd) : 0) {}

LoopbackSocket::~LoopbackSocket() { close(); }

LoopbackSocket::LoopbackSocket(LoopbackSocket&& other) noexcept
    : fd_(other.fd_), port_(other.port_) {
  other.fd_ = -1;
}

LoopbackSocket& LoopbackSocket::operator=(LoopbackSocket&& other) noexcept {
  if (this != &other) {
    close();
    fd_ = other.fd_;
    port_ = other.port_;
    other.fd_ = -1;
  }
  return *this;
}

LoopbackSocket LoopbackSocket::boundTcp(uint16_t port) {
  return LoopbackSocket(bindLoopback(SOCK_STREAM, port));
}

LoopbackSocket LoopbackSocket::listeningTcp(uint16_t port) {
  LoopbackSocket socket = boundTcp(port);
  if (socket.ok() && !socket.listen()) socket.close();
  return socket;
}

LoopbackSocket LoopbackSocket::connectedTcp(uint16_t port, int timeoutMs, int receiveBuffer) {
  const int fd = newSocket(SOCK_STREAM);
  if (fd < 0) return LoopbackSocket();
  if (receiveBuffer > 0) {
    setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
  }
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
  const sockaddr_in address = loopback(port);
  if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    pollfd wait = {fd, POLLOUT, 0};
    int error = 0;
    socklen_t length = sizeof error;
    if (errno != EINPROGRESS || poll(&wait, 1, timeoutMs) != 1 ||
        getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0) {
      ::close(fd);
      return LoopbackSocket();
    }
  }
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  noDelay(fd);
  return LoopbackSocket(fd);
}

LoopbackSocket LoopbackSocket::udp(uint16_t port) {
  return LoopbackSocket(bindLoopback(SOCK_DGRAM, port));
}

bool LoopbackSocket::listen() { return fd_ >= 0 && ::listen(fd_, 8) == 0; }

bool LoopbackSocket::waitReadable(int timeoutMs) const {
  pollfd wait = {fd_, POLLIN, 0};
  return fd_ >= 0 && poll(&wait, 1, timeoutMs) == 1;
}

LoopbackSocket LoopbackSocket::accept(int timeoutMs) {
  if (!waitReadable(timeoutMs)) return LoopbackSocket();
  const int fd = ::accept(fd_, nullptr, nullptr);
  if (fd >= 0) {
    fcntl(fd, F_SETFD, FD_CLOEXEC);
    noDelay(fd);
  }
  return LoopbackSocket(fd);
}

bool LoopbackSocket::send(const std::string& bytes) {
  size_t sent = 0;
  while (fd_ >= 0 && sent < bytes.size()) {
    const ssize_t n = ::send(fd_, bytes.data() + sent, bytes.size() - sent, kNoSignal);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    sent += static_cast<size_t>(n);
  }
  return fd_ >= 0;
}

ssize_t LoopbackSocket::sendWithoutWaiting(const char* bytes, size_t size) {
  return ::send(fd_, bytes, size, MSG_DONTWAIT | kNoSignal);
}

std::string LoopbackSocket::receive(int timeoutMs) {
  if (!waitReadable(timeoutMs)) return "";
  char buffer[64 * 1024];
  const ssize_t n = ::recv(fd_, buffer, sizeof buffer, 0);
  return n > 0 ? std::string(buffer, static_cast<size_t>(n)) : "";
}

std::string LoopbackSocket::receiveUntil(const std::string& end, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  std::string received;
  while (received.size() < end.size() ||
         received.compare(received.size() - end.size(), end.size(), end) != 0) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    const std::string more = receive(static_cast<int>(left.count()));
    if (more.empty()) break;
    received += more;
  }
  return received;
}

bool LoopbackSocket::closedByPeer(int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (std::chrono::steady_clock::now() < deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (!waitReadable(static_cast<int>(left.count()))) return false;
    char buffer[4096];
    const ssize_t n = ::recv(fd_, buffer, sizeof buffer, 0);
    if (n == 0 || (n < 0 && errno == ECONNRESET)) return true;
  }
  return false;
}

bool LoopbackSocket::sendTo(uint16_t port, const std::string& datagram) {
  const sockaddr_in address = loopback(port);
  return fd_ >= 0 && ::sendto(fd_, datagram.data(), datagram.size(), 0,
                              reinterpret_cast<const sockaddr*>(&address),
                              sizeof address) == static_cast<ssize_t>(datagram.size());
}

std::string LoopbackSocket::receiveFrom(int timeoutMs, uint16_t* fromPort) {
  if (!waitReadable(timeoutMs)) return "";
  char buffer[64 * 1024];
  sockaddr_in from = {};
  socklen_t length = sizeof from;
  const ssize_t n =
      ::recvfrom(fd_, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &length);
  if (n < 0) return "";
  if (fromPort != nullptr) *fromPort = ntohs(from.sin_port);
  return std::string(buffer, static_cast<size_t>(n));
}

void LoopbackSocket::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}
