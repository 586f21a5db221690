// Sockets that wait for hosts: TCP listening sockets and UDP sockets, on
// given addresses or on all interfaces, for the modes in which corvane is
// the network server. They are non-blocking, so every wait on them can be a
// safe point (io/safe_points.h).
#ifndef CORVANE_NET_SERVER_SOCKETS_H
#define CORVANE_NET_SERVER_SOCKETS_H

#include <cstdint>
#include <vector>

#include "decklink/failure.h"
#include "net/host_lookup.h"

struct ServerSocket {
  int fd = -1;
  SocketAddress bound;  // the address and the port bound (socketAddressText: "[::]:85")
};

// An address on all interfaces of `family` (0.0.0.0 or ::).
SocketAddress anyAddress(int family);

// Binds a socket of `type` (SOCK_STREAM, then listening with the longest
// backlog the system allows, or SOCK_DGRAM) at `port` on each of
// `addresses` (their own ports are ignored); with no addresses, on all
// interfaces, IPv4 and, where the system has it, IPv6 (IPV6_V6ONLY, so each
// family has its own socket). An address whose family the system lacks is
// passed over while another is bound. With port 0 the system picks one
// port, the same for all. Fails, with nothing left open, naming the address
// and the system's reason (its errno in the failure's systemError), when
// one cannot be bound.
Failure openServerSockets(int type, const std::vector<SocketAddress>& addresses, uint16_t port,
                          std::vector<ServerSocket>* sockets);

void closeServerSockets(std::vector<ServerSocket>* sockets);

#endif  // CORVANE_NET_SERVER_SOCKETS_H
