// TCP and UDP sockets on the loopback address, for tests that play the
// calibration host of a network mode. Only 127.0.0.1 is ever used, and
// every wait is bounded by a timeout.
#ifndef CORVANE_TESTS_SUPPORT_LOOPBACK_H
#define CORVANE_TESTS_SUPPORT_LOOPBACK_H

#include <sys/types.h>

#include <cstdint>
#include <string>

class LoopbackSocket {
 public:
  LoopbackSocket() = default;
  ~LoopbackSocket();
  LoopbackSocket(LoopbackSocket&& other) noexcept;
  LoopbackSocket& operator=(LoopbackSocket&& other) noexcept;
  LoopbackSocket(const LoopbackSocket&) = delete;
  LoopbackSocket& operator=(const LoopbackSocket&) = delete;

  // A TCP socket on 127.0.0.1:`port` (0: the system picks one), bound but
  // not yet listening, so connections to it are refused until listen().
  static LoopbackSocket boundTcp(uint16_t port = 0);
  // boundTcp, listening.
  static LoopbackSocket listeningTcp(uint16_t port = 0);
  // A TCP connection to 127.0.0.1:`port`; not ok() when refused or timed out.
  // With `receiveBuffer`, its SO_RCVBUF, set before it connects, so that the
  // window it offers is that small from the start.
  static LoopbackSocket connectedTcp(uint16_t port, int timeoutMs = 5000, int receiveBuffer = 0);
  // A UDP socket on 127.0.0.1:`port` (0: the system picks one).
  static LoopbackSocket udp(uint16_t port = 0);

  bool ok() const { return fd_ >= 0; }
  int fd() const { return fd_; }
  uint16_t port() const { return port_; }

  bool listen();
  // The next connection, or a socket that is not ok() after `timeoutMs`.
  LoopbackSocket accept(int timeoutMs = 10000);

  // Sends all of `bytes` (TCP); false when the peer has gone.
  bool send(const std::string& bytes);
  // Sends what the socket takes at once of `size` bytes (TCP): their number,
  // or -1 with errno EAGAIN when it takes none, another errno when the peer
  // has gone.
  ssize_t sendWithoutWaiting(const char* bytes, size_t size);
  // Whatever arrives next, up to 64 KiB; "" at the end of the stream or
  // after `timeoutMs` without a byte.
  std::string receive(int timeoutMs = 10000);
  // Reads until the bytes received end with `end` (or the stream ends, or
  // `timeoutMs` passes) and returns them all.
  std::string receiveUntil(const std::string& end, int timeoutMs = 10000);
  // True when the peer closed the stream within `timeoutMs` (pending bytes
  // are read and dropped).
  bool closedByPeer(int timeoutMs = 10000);

  // UDP: one datagram to 127.0.0.1:`port`, and the next datagram received
  // ("" after `timeoutMs`), with the port it came from.
  bool sendTo(uint16_t port, const std::string& datagram);
  std::string receiveFrom(int timeoutMs, uint16_t* fromPort = nullptr);

  void close();

 private:
  explicit LoopbackSocket(int fd);
  bool waitReadable(int timeoutMs) const;

  int fd_ = -1;
  uint16_t port_ = 0;
};

#endif  // CORVANE_TESTS_SUPPORT_LOOPBACK_H
