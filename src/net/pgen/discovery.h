// PGenerator discovery: a host (HCFR) sends the datagram "Who is a
// PGenerator" to UDP port 1977 of every local network and takes the source
// address of the first answer as the generator's; what the answer says is
// not checked.
#ifndef CORVANE_NET_PGEN_DISCOVERY_H
#define CORVANE_NET_PGEN_DISCOVERY_H

#include <cstdint>
#include <string>

constexpr uint16_t kPgenDiscoveryPort = 1977;

// What a host sends, and what corvane answers: the text the protocol's own
// generator is known to answer with, so that a host that did check it would
// accept corvane too.
extern const char kPgenDiscoveryQuestion[];
extern const char kPgenDiscoveryAnswer[];

// True for the question, also with trailing white space, NUL bytes or the
// command terminator after it.
bool isPgenDiscoveryQuestion(const std::string& datagram);

// Takes the datagrams waiting on the UDP socket `fd` (non-blocking; a
// bounded number, so a flood cannot hold the loop), answers each question
// to its sender from the same socket, and prints a line for each answer.
// Anything else is dropped.
void answerPgenDiscovery(int fd);

#endif  // CORVANE_NET_PGEN_DISCOVERY_H
