// `corvane pgen`: corvane as a pattern generator of the PGenerator protocol,
// which HCFR, ColourSpace and pgen_client drive: hosts find it by a UDP
// discovery datagram, connect to it over TCP and send one command per
// patch; it shows each patch on the held card and answers every command.
#ifndef CORVANE_NET_PGEN_SERVER_H
#define CORVANE_NET_PGEN_SERVER_H

#include <cstdint>
#include <string>
#include <vector>

#include "decklink/failure.h"
#include "decklink/signalling.h"
#include "net/host_lookup.h"
#include "net/pgen/discovery.h"

// The protocol's own TCP port, the one HCFR connects to.
constexpr uint16_t kPgenPort = 85;

struct PgenOptions {
  std::vector<SocketAddress> listen;  // none: all interfaces
  uint16_t port = kPgenPort;  // 0: the system picks one (printed)
  uint16_t discoveryPort = kPgenDiscoveryPort;
  Signalling hdrOn = signallingFor(Eotf::kPq);  // what a host's IS_HDR 1 asks for
};

// With the card held (app/hold_card.h): shows a full-field black frame,
// listens on TCP at the options' addresses and port, answers discovery on
// the discovery port (a port that cannot be bound is a warning), prints
// each address, and a warning that the protocol has no authentication when
// one of them can be reached from another computer, then "waiting for
// hosts"; and then serves one host at a time: a new connection replaces
// the current one once it has sent a whole command (one that sends none
// within kPgenFirstCommandTimeoutMs is closed, and the current host never
// notices); the card stays held, with its last picture, between
// connections. Only a signal (SIGINT, SIGTERM, SIGHUP, SIGQUIT) ends it (the card
// released). Returns only when the TCP port cannot be bound, with nothing
// left open but the card, which the caller releases: the failure names the
// address and the system's reason, and its systemError is the errno (EACCES
// for a privileged port).
Failure runPgen(const PgenOptions& options);

#endif  // CORVANE_NET_PGEN_SERVER_H
