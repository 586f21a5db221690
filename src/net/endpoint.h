// A host and port as a person types them on the command line.
#ifndef CORVANE_NET_ENDPOINT_H
#define CORVANE_NET_ENDPOINT_H

#include <cstdint>
#include <string>

#include "decklink/failure.h"

struct Endpoint {
  std::string host;  // a name, an IPv4 address or an IPv6 address (no brackets)
  uint16_t port = 0;
};

// A port number as typed: one to five decimal digits, 0 to 65535. Returns
// false for anything else.
bool parsePortNumber(const std::string& text, uint16_t* port);

// Reads "host", "host:port", "[IPv6]" or "[IPv6]:port"; text with two or
// more colons and no brackets is an IPv6 address without a port. A missing
// port is `defaultPort`. Fails (bad_request) when the host is empty or the
// port is not a number from 1 to 65535.
Failure parseEndpoint(const std::string& text, uint16_t defaultPort, Endpoint* endpoint);

// "host:port", with an IPv6 address in brackets.
std::string endpointText(const Endpoint& endpoint);

#endif  // CORVANE_NET_ENDPOINT_H
