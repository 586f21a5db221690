// Sockets that wait for hosts: TCP listening sockets and UDP sockets, on one
// address or on all interfaces, for the modes in which corvane is the
// network server. They are non-blocking, so every wait on them can be a safe
// point (io/safe_points.h).
#ifndef CORVANE_NET_SERVER_SOCKETS_H
#define CORVANE_NET_SERVER_SOCKETS_H

#include <cstdint>
#include <string>
#include <vector>

struct ServerSocket {
  int fd = -1;
  std::string name;  // "0.0.0.0:85", "[::]:85": the address and the port bound
};

// True when `text` is an IPv4 or IPv6 address literal ("127.0.0.1", "::1",
// "[::1]"): what --listen takes.
bool isAddressLiteral(const std::string& text);

// Binds sockets of `type` (SOCK_STREAM, then listening, or SOCK_DGRAM) at
// `port` on `address`: one socket for an address literal; for "" all
// interfaces, IPv4 and, where the system has it, IPv6 (IPV6_V6ONLY, so each
// family has its own socket). With port 0 the system picks one port, the
// same for both families. Returns false, with nothing left open, `problem`
// naming the address and the system's reason, and `error` its errno, when
// one cannot be bound.
bool openServerSockets(int type, const std::string& address, uint16_t port,
                       std::vector<ServerSocket>* sockets, std::string* problem, int* error);

void closeServerSockets(std::vector<ServerSocket>* sockets);

// The address and port of a peer or a bound socket, as in ServerSocket::name.
std::string socketAddressText(const void* address);

#endif  // CORVANE_NET_SERVER_SOCKETS_H
