#include "support/pgen_child.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>

namespace {

// The port in "listening on 127.0.0.1:41234 (TCP)"; 0 when it is not there.
uint16_t portIn(const std::string& line, const std::string& prefix) {
  if (line.rfind(prefix, 0) != 0) return 0;
  return static_cast<uint16_t>(std::atoi(line.c_str() + prefix.size()));
}

std::vector<std::string> onLoopback(const std::vector<std::string>& words) {
  std::vector<std::string> args = {"pgen"};
  args.insert(args.end(), words.begin(), words.end());
  for (const char* option : {"--listen", "--port", "--discovery-port"}) {
    if (std::find(words.begin(), words.end(), option) != words.end()) continue;
    args.push_back(option);
    args.push_back(std::string(option) == "--listen" ? "127.0.0.1" : "0");
  }
  return args;
}

}  // namespace

PgenChild::PgenChild(const SimSession& session, const std::vector<std::string>& words,
                     int busyDescriptors, bool terminal)
    : WayIn(session, onLoopback(words), busyDescriptors, terminal) {
  for (int i = 0; i < 10; ++i) {
    const std::string line = readLine();
    startLines_.push_back(line);
    if (port_ == 0) port_ = portIn(line, "listening on 127.0.0.1:");
    if (discoveryPort_ == 0) discoveryPort_ = portIn(line, "discovery on 127.0.0.1:");
    if (line == "waiting for hosts" || line[0] == '<') {
      break;
    }
  }
}

std::string exchange(LoopbackSocket* host, const std::string& bytes, const std::string& expected) {
  host->send(bytes);
  return host->receiveUntil(expected);
}

void floodWithoutReading(LoopbackSocket* host, const std::string& command, int stallMs) {
  std::string burst;
  for (int i = 0; i < 6000; ++i) burst += command;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  // A send that takes part of the burst is followed by the rest, so that
  // the stream stays whole commands.
  size_t sent = 0;
  int stalled = 0;
  while (std::chrono::steady_clock::now() < deadline && (stallMs == 0 || stalled < stallMs)) {
    const ssize_t n = host->sendWithoutWaiting(burst.data() + sent, burst.size() - sent);
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return;  // dropped
    if (n > 0) sent = (sent + static_cast<size_t>(n)) % burst.size();
    stalled = n > 0 ? 0 : stalled + 10;
    if (n <= 0) usleep(10000);
  }
}
