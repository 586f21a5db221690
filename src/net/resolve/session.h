// `corvane resolve <host>[:<port>]`: corvane as the pattern generator that
// DaVinci Resolve is to a calibration host (DisplayCAL, Calman, LightSpace):
// it connects to the host, which listens, and shows each patch the host
// sends. Nothing is ever written to the host.
#ifndef CORVANE_NET_RESOLVE_SESSION_H
#define CORVANE_NET_RESOLVE_SESSION_H

#include <vector>

#include "net/endpoint.h"
#include "net/host_lookup.h"
#include "net/tcp_client.h"

// The Resolve protocol's own port.
constexpr uint16_t kResolvePort = 20002;

// How long a message may take from its first byte to its last; the time
// between messages is the host's.
constexpr int kResolveMessageTimeoutMs = 5000;

// How a host's name becomes its addresses: lookUpHostAtSafePoint, or in
// a test a stand-in.
using LookUpHost = Failure (*)(const std::string& host, uint16_t port,
                               std::vector<SocketAddress>* addresses);

// Connects to `host`, looking its name up before every attempt and trying
// again every second, until one attempt connects; prints "waiting for
// <name> to resolve" while the name is not found and "waiting for
// <host>:<port>" while it does not accept, each once in a row, then
// "connected to <host>:<port>". Returns the connected socket.
int connectToHost(const Endpoint& host, LookUpHost lookUp);

// With the card held (app/hold_card.h): shows a full-field black frame,
// then connects to `host` (connectToHost) again and again, printing what
// happens, and shows every valid message. A connection ends at the end of
// its stream, at the end-of-session marker, at a framing error, when a
// message does not end within kResolveMessageTimeoutMs, or when TCP
// keep-alive finds the host gone; the card stays held and keeps its last
// picture, and corvane connects again after a pause (1 s, doubling up to
// 8 s while connections end without a message). Only a signal (SIGINT,
// SIGTERM, SIGHUP, SIGQUIT) ends it, the card released: it never returns.
[[noreturn]] void runResolve(const Endpoint& host);

#endif  // CORVANE_NET_RESOLVE_SESSION_H
