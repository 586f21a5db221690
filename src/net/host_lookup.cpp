#include "net/host_lookup.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>

#include <pthread.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <future>
#include <thread>

#include "io/safe_points.h"

namespace {

bool sameAddress(const SocketAddress& a, const SocketAddress& b) {
  return a.length == b.length && std::memcmp(&a.storage, &b.storage, a.length) == 0;
}

// An IPv4 address written as IPv6 (::ffff:127.0.0.1) as the IPv4 address it
// is: an IPv6-only socket cannot be bound to it, and an IPv4 one can.
void unmapIPv4(SocketAddress* address) {
  const sockaddr_in6 v6 = *reinterpret_cast<const sockaddr_in6*>(&address->storage);
  if (v6.sin6_family != AF_INET6 || !IN6_IS_ADDR_V4MAPPED(&v6.sin6_addr)) return;
  sockaddr_in v4 = {};
  v4.sin_family = AF_INET;
  v4.sin_port = v6.sin6_port;
  std::memcpy(&v4.sin_addr, &v6.sin6_addr.s6_addr[12], sizeof v4.sin_addr);
  *address = {};
  std::memcpy(&address->storage, &v4, sizeof v4);
  address->length = sizeof v4;
}

}  // namespace

Failure lookUpHost(const std::string& host, uint16_t port, std::vector<SocketAddress>* addresses) {
  std::string name = host;
  if (name.size() >= 2 && name.front() == '[' && name.back() == ']') {
    name = name.substr(1, name.size() - 2);
  }
  addrinfo hints = {};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_protocol = IPPROTO_TCP;
  addrinfo* found = nullptr;
  const int status = getaddrinfo(name.c_str(), std::to_string(port).c_str(), &hints, &found);
  if (status != 0) {
    return failure(FailureCode::kFailed,
                   "cannot find host '" + host + "': " + gai_strerror(status));
  }
  addresses->clear();
  for (const addrinfo* entry = found; entry != nullptr; entry = entry->ai_next) {
    if (entry->ai_addrlen > sizeof(sockaddr_storage)) continue;
    SocketAddress address = {};
    std::memcpy(&address.storage, entry->ai_addr, entry->ai_addrlen);
    address.length = entry->ai_addrlen;
    unmapIPv4(&address);
    bool seen = false;
    for (const SocketAddress& earlier : *addresses) seen = seen || sameAddress(earlier, address);
    if (!seen) addresses->push_back(address);
  }
  freeaddrinfo(found);
  if (addresses->empty())
    return failure(FailureCode::kFailed, "host '" + host + "' has no address");
  return {};
}

Failure lookUpHostAtSafePoint(const std::string& host, uint16_t port,
                              std::vector<SocketAddress>* addresses) {
  // The thread says it is done on a pipe the caller waits for; the result
  // comes through the future. A signal ends the program with the thread
  // still looking, which is harmless: it holds nothing of the card's.
  int done[2];
  if (pipe(done) != 0) return lookUpHost(host, port, addresses);
  struct Lookup {
    std::vector<SocketAddress> found;
    Failure failure;
  };
  std::promise<Lookup> promise;
  std::future<Lookup> result = promise.get_future();
  sigset_t all, previous;
  sigfillset(&all);
  pthread_sigmask(SIG_BLOCK, &all, &previous);  // the thread starts with every signal blocked
  std::thread([host, port, writeEnd = done[1], promise = std::move(promise)]() mutable {
    Lookup lookup;
    lookup.failure = lookUpHost(host, port, &lookup.found);
    promise.set_value(std::move(lookup));
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(writeEnd, &byte, 1);
    close(writeEnd);
  }).detach();
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  WaitFor readable = {done[0], false, false};
  waitForAny(&readable, 1, -1);  // should it fail, get() below waits
  close(done[0]);
  Lookup lookup = result.get();
  *addresses = std::move(lookup.found);
  return lookup.failure;
}

bool isLoopback(const SocketAddress& address) {
  if (address.storage.ss_family == AF_INET) {
    const sockaddr_in* v4 = reinterpret_cast<const sockaddr_in*>(&address.storage);
    return (ntohl(v4->sin_addr.s_addr) >> 24) == 127;
  }
  const sockaddr_in6* v6 = reinterpret_cast<const sockaddr_in6*>(&address.storage);
  if (IN6_IS_ADDR_LOOPBACK(&v6->sin6_addr)) return true;
  return IN6_IS_ADDR_V4MAPPED(&v6->sin6_addr) && v6->sin6_addr.s6_addr[12] == 127;
}

std::string socketAddressText(const void* address) {
  const sockaddr_storage* storage = static_cast<const sockaddr_storage*>(address);
  char text[INET6_ADDRSTRLEN] = "?";
  if (storage->ss_family == AF_INET6) {
    const sockaddr_in6* v6 = static_cast<const sockaddr_in6*>(address);
    inet_ntop(AF_INET6, &v6->sin6_addr, text, sizeof text);
    return "[" + std::string(text) + "]:" + std::to_string(ntohs(v6->sin6_port));
  }
  const sockaddr_in* v4 = static_cast<const sockaddr_in*>(address);
  inet_ntop(AF_INET, &v4->sin_addr, text, sizeof text);
  return std::string(text) + ":" + std::to_string(ntohs(v4->sin_port));
}
