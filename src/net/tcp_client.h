// Connecting to a host that listens, for the modes in which corvane is the
// network client. Every wait is a safe point for SIGINT and SIGTERM.
#ifndef CORVANE_NET_TCP_CLIENT_H
#define CORVANE_NET_TCP_CLIENT_H

#include <vector>

#include "net/host_lookup.h"

// Tries each address in turn, waiting at most `timeoutMs` for each, and
// returns the first connected socket (non-blocking, close-on-exec, with TCP
// keep-alive), or -1 when none accepts.
int connectToAny(const std::vector<SocketAddress>& addresses, int timeoutMs);

#endif  // CORVANE_NET_TCP_CLIENT_H
