#include "net/pgen/discovery.h"

#include <ifaddrs.h>
#include <net/if.h>
#include <sys/socket.h>

#include <cerrno>
#include <cstring>

#include "io/offered_lines.h"

const char kPgenDiscoveryQuestion[] = "Who is a PGenerator";
const char kPgenDiscoveryAnswer[] = "This is a PGenerator";

namespace {

// Datagrams taken per wake-up; more wait for the next turn of the loop.
constexpr int kDatagramsPerTurn = 16;

// The interface that has the IPv4 address `wanted`; false when none has,
// or when the interfaces cannot be listed (`error` then holds errno: out of
// descriptors, say, which must not read as a wrong address).
bool interfaceWith(const in_addr& wanted, AnsweringInterface* found, int* error) {
  ifaddrs* all = nullptr;
  *error = 0;
  if (getifaddrs(&all) != 0) {
    *error = errno;
    return false;
  }
  bool have = false;
  for (const ifaddrs* entry = all; entry != nullptr && !have; entry = entry->ifa_next) {
    if (entry->ifa_addr == nullptr || entry->ifa_addr->sa_family != AF_INET) continue;
    const in_addr address = reinterpret_cast<const sockaddr_in*>(entry->ifa_addr)->sin_addr;
    if (address.s_addr != wanted.s_addr) continue;
    found->index = if_nametoindex(entry->ifa_name);
    found->name = entry->ifa_name;
    found->address = wanted;
    have = found->index != 0;
  }
  freeifaddrs(all);
  return have;
}

// One datagram and the interface it arrived on (0 when not known).
ssize_t receive(int fd, char* buffer, size_t size, sockaddr_storage* from, socklen_t* length,
                unsigned* arrivedOn) {
  iovec data = {buffer, size};
  alignas(cmsghdr) char control[CMSG_SPACE(sizeof(in_pktinfo))];
  msghdr message = {};
  message.msg_name = from;
  message.msg_namelen = *length;
  message.msg_iov = &data;
  message.msg_iovlen = 1;
  message.msg_control = control;
  message.msg_controllen = sizeof control;
  const ssize_t got = recvmsg(fd, &message, 0);
  *length = message.msg_namelen;
  *arrivedOn = 0;
  for (cmsghdr* c = CMSG_FIRSTHDR(&message); got >= 0 && c != nullptr;
       c = CMSG_NXTHDR(&message, c)) {
    if (c->cmsg_level == IPPROTO_IP && c->cmsg_type == IP_PKTINFO) {
      in_pktinfo info;
      std::memcpy(&info, CMSG_DATA(c), sizeof info);
      *arrivedOn = static_cast<unsigned>(info.ipi_ifindex);
    }
  }
  return got;
}

// The answer to `to`, from `source` when given (else from the address the
// question came to).
bool sendAnswer(int fd, const sockaddr_storage& to, socklen_t length, const in_addr* source) {
  iovec data = {const_cast<char*>(kPgenDiscoveryAnswer), std::strlen(kPgenDiscoveryAnswer)};
  alignas(cmsghdr) char control[CMSG_SPACE(sizeof(in_pktinfo))] = {};
  msghdr message = {};
  message.msg_name = const_cast<sockaddr_storage*>(&to);
  message.msg_namelen = length;
  message.msg_iov = &data;
  message.msg_iovlen = 1;
  if (source != nullptr) {
    message.msg_control = control;
    message.msg_controllen = sizeof control;
    cmsghdr* c = CMSG_FIRSTHDR(&message);
    c->cmsg_level = IPPROTO_IP;
    c->cmsg_type = IP_PKTINFO;
    c->cmsg_len = CMSG_LEN(sizeof(in_pktinfo));
    in_pktinfo info = {};
    info.ipi_spec_dst = *source;
    std::memcpy(CMSG_DATA(c), &info, sizeof info);
  }
  // The socket is non-blocking: an answer that does not fit is dropped,
  // and the host asks again.
  return sendmsg(fd, &message, MSG_DONTWAIT) >= 0;
}

// True for the question, also with trailing white space, NUL bytes or the
// command terminator after it.
bool isPgenDiscoveryQuestion(const std::string& datagram) {
  const size_t length = std::strlen(kPgenDiscoveryQuestion);
  if (datagram.compare(0, length, kPgenDiscoveryQuestion) != 0) return false;
  for (size_t i = length; i < datagram.size(); ++i) {
    const char c = datagram[i];
    if (c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '\0' && c != '\x02') {
      return false;
    }
  }
  return true;
}

}  // namespace

Failure openPgenDiscovery(const std::vector<SocketAddress>& listen, uint16_t port,
                          std::vector<DiscoverySocket>* sockets) {
  std::vector<AnsweringInterface> interfaces;
  std::vector<SocketAddress> where;
  for (const SocketAddress& address : listen) {
    if (address.storage.ss_family != AF_INET) {
      where.push_back(address);
      continue;
    }
    AnsweringInterface interface;
    const in_addr v4 = reinterpret_cast<const sockaddr_in*>(&address.storage)->sin_addr;
    int error = 0;
    if (!interfaceWith(v4, &interface, &error)) {
      return failure(FailureCode::kFailed,
                     error != 0 ? std::string("cannot list the network interfaces: ") +
                                      std::strerror(error)
                                : "no interface has the address " +
                                      socketAddressText(&address.storage));
    }
    interfaces.push_back(interface);
  }
  // The IPv4 interfaces' broadcasts reach only a socket on all addresses.
  if (!interfaces.empty()) where.insert(where.begin(), anyAddress(AF_INET));
  std::vector<ServerSocket> opened;
  const Failure refused = openServerSockets(SOCK_DGRAM, where, port, &opened);
  if (refused.failed()) return refused;
  sockets->clear();
  for (const ServerSocket& socket : opened) {
    DiscoverySocket discovery{socket, {}};
    if (!interfaces.empty() && socket.bound.storage.ss_family == AF_INET) {
      const int on = 1;
      setsockopt(socket.fd, IPPROTO_IP, IP_PKTINFO, &on, sizeof on);
      discovery.only = interfaces;
    }
    sockets->push_back(discovery);
  }
  return {};
}

std::vector<std::string> discoveryLines(const DiscoverySocket& socket) {
  const sockaddr_storage& bound = socket.socket.bound.storage;
  if (socket.only.empty()) return {"discovery on " + socketAddressText(&bound) + " (UDP)"};
  std::vector<std::string> lines;
  for (const AnsweringInterface& interface : socket.only) {
    // The port bound, at the address the answers come from (`only` is
    // IPv4's alone).
    sockaddr_storage answering = bound;
    reinterpret_cast<sockaddr_in*>(&answering)->sin_addr = interface.address;
    lines.push_back("discovery on " + socketAddressText(&answering) +
                    " (UDP, with the broadcasts that reach " + interface.name + ")");
  }
  return lines;
}

void answerPgenDiscovery(const DiscoverySocket& socket) {
  for (int i = 0; i < kDatagramsPerTurn; ++i) {
    char buffer[1024];
    sockaddr_storage from = {};
    socklen_t length = sizeof from;
    unsigned arrivedOn = 0;
    const ssize_t got =
        receive(socket.socket.fd, buffer, sizeof buffer, &from, &length, &arrivedOn);
    if (got < 0) return;  // nothing more waiting (or an error the next turn sees again)
    if (!isPgenDiscoveryQuestion(std::string(buffer, static_cast<size_t>(got)))) continue;
    const std::string asker = "discovery from " + socketAddressText(&from);
    // The interface of `socket.only` the question came through, if any.
    const AnsweringInterface* interface = nullptr;
    for (const AnsweringInterface& one : socket.only) {
      if (one.index == arrivedOn) interface = &one;
    }
    if (!socket.only.empty() && interface == nullptr) {
      offerStdoutLine(asker + ": not answered (it came through another network interface)");
      continue;
    }
    const bool sent =
        sendAnswer(socket.socket.fd, from, length, interface ? &interface->address : nullptr);
    const int error = errno;  // sendmsg's, when it failed
    offerStdoutLine(asker + (sent ? ": answered"
                                  : std::string(": the answer could not be sent (") +
                                        std::strerror(error) + ")"));
  }
}
