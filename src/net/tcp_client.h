// Connecting to a host that listens, for the modes in which corvane is the
// network client. Every wait is a safe point for SIGINT and SIGTERM.
#ifndef CORVANE_NET_TCP_CLIENT_H
#define CORVANE_NET_TCP_CLIENT_H

#include <sys/socket.h>

#include <string>
#include <vector>

#include "net/endpoint.h"

struct SocketAddress {
  sockaddr_storage storage;
  socklen_t length;
};

// The host's IPv4 and IPv6 addresses for TCP, from getaddrinfo. Returns
// false with `problem` set when the name cannot be resolved.
bool resolveAddresses(const Endpoint& endpoint, std::vector<SocketAddress>* addresses,
                      std::string* problem);

// Tries each address in turn, waiting at most `timeoutMs` for each, and
// returns the first connected socket (non-blocking, close-on-exec), or -1
// when none accepts.
int connectToAny(const std::vector<SocketAddress>& addresses, int timeoutMs);

#endif  // CORVANE_NET_TCP_CLIENT_H
