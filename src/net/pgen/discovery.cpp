#include "net/pgen/discovery.h"

#include <sys/socket.h>

#include <cstring>

#include "io/safe_points.h"
#include "net/server_sockets.h"

const char kPgenDiscoveryQuestion[] = "Who is a PGenerator";
const char kPgenDiscoveryAnswer[] = "This is a PGenerator";

namespace {

// Datagrams taken per wake-up; more wait for the next turn of the loop.
constexpr int kDatagramsPerTurn = 16;

}  // namespace

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

void answerPgenDiscovery(int fd) {
  for (int i = 0; i < kDatagramsPerTurn; ++i) {
    char buffer[1024];
    sockaddr_storage from = {};
    socklen_t length = sizeof from;
    const ssize_t got =
        recvfrom(fd, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &length);
    if (got < 0) return;  // nothing more waiting (or an error the next turn sees again)
    if (!isPgenDiscoveryQuestion(std::string(buffer, static_cast<size_t>(got)))) continue;
    // The socket is non-blocking: an answer that does not fit is dropped,
    // and the host asks again.
    const bool sent = sendto(fd, kPgenDiscoveryAnswer, std::strlen(kPgenDiscoveryAnswer), 0,
                             reinterpret_cast<const sockaddr*>(&from), length) >= 0;
    writeStdout("discovery from " + socketAddressText(&from) +
                (sent ? ": answered\n" : ": the answer could not be sent\n"));
  }
}
