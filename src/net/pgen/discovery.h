// PGenerator discovery: a host (HCFR) sends the datagram "Who is a
// PGenerator" to UDP port 1977 of every local network (to each network's
// broadcast address) and takes the source address of the first answer as
// the generator's; what the answer says is not checked.
#ifndef CORVANE_NET_PGEN_DISCOVERY_H
#define CORVANE_NET_PGEN_DISCOVERY_H

#include <netinet/in.h>

#include <cstdint>
#include <string>
#include <vector>

#include "net/host_lookup.h"
#include "net/server_sockets.h"

constexpr uint16_t kPgenDiscoveryPort = 1977;

// What a host sends, and what corvane answers: the text the protocol's own
// generator is known to answer with, so that a host that did check it would
// accept corvane too.
extern const char kPgenDiscoveryQuestion[];
extern const char kPgenDiscoveryAnswer[];

// One interface discovery answers on, and the address it answers from
// there: the address corvane listens on, which the host then connects to.
struct AnsweringInterface {
  unsigned index = 0;
  std::string name;  // "eth0"
  in_addr address = {};
};

struct DiscoverySocket {
  ServerSocket socket;
  // Empty: every datagram is answered, from the address it came to. Else
  // the socket listens on all IPv4 interfaces, so that it hears broadcasts
  // too, and answers only what arrives on these interfaces.
  std::vector<AnsweringInterface> only;
};

// The discovery sockets for a server that listens on `listen` (all
// interfaces when empty): on all interfaces, answering everything; or, for
// the IPv4 addresses, one socket answering on their interfaces, and a
// socket on each IPv6 address. Fails, saying why, when there can be none.
Failure openPgenDiscovery(const std::vector<SocketAddress>& listen, uint16_t port,
                          std::vector<DiscoverySocket>* sockets);

// The lines that say where discovery answers.
std::vector<std::string> discoveryLines(const DiscoverySocket& socket);

// Takes the datagrams waiting on the socket (a bounded number, so a flood
// cannot hold the loop), answers each question that it may answer to its
// sender, and prints a line for each. Anything else is dropped.
void answerPgenDiscovery(const DiscoverySocket& socket);

#endif  // CORVANE_NET_PGEN_DISCOVERY_H
