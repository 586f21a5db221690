// A host name or address as the system finds it: pgen's --listen address
// once, when it starts, so that a wrong name fails at once; resolve's host
// at every attempt to connect, so that a name that is not known yet (the
// calibration computer still off) or that moves is followed.
#ifndef CORVANE_NET_HOST_LOOKUP_H
#define CORVANE_NET_HOST_LOOKUP_H

#include <sys/socket.h>

#include <cstdint>
#include <string>
#include <vector>

#include "decklink/failure.h"

struct SocketAddress {
  sockaddr_storage storage;
  socklen_t length;
};

// The IPv4 and IPv6 addresses of `host` (a name, or an address literal,
// IPv6 with or without brackets) at `port`, from getaddrinfo, each once.
// Fails when the name cannot be found, saying why.
Failure lookUpHost(const std::string& host, uint16_t port, std::vector<SocketAddress>* addresses);

// lookUpHost waited for at a safe point (io/safe_points.h): the lookup runs
// on a thread of its own, with every signal blocked there, so that a name
// server that does not answer cannot keep a signal from ending the program.
Failure lookUpHostAtSafePoint(const std::string& host, uint16_t port,
                              std::vector<SocketAddress>* addresses);

// True for 127.0.0.0/8, ::1 and ::ffff:127.0.0.0/104: addresses no other
// computer can reach.
bool isLoopback(const SocketAddress& address);

// The address and port, as "127.0.0.1:85" or "[::1]:85".
std::string socketAddressText(const void* address);

#endif  // CORVANE_NET_HOST_LOOKUP_H
