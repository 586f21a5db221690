#include "net/pgen/pgen_child.h"

#include <algorithm>
#include <cstdlib>

namespace {

// The port in "listening on 127.0.0.1:41234 (TCP)"; 0 when it is not there.
uint16_t portIn(const std::string& line, const std::string& prefix) {
  if (line.rfind(prefix, 0) != 0) return 0;
  return static_cast<uint16_t>(std::atoi(line.c_str() + prefix.size()));
}

}  // namespace

PgenChild::PgenChild(const SimSession& session, const std::vector<std::string>& words,
                     int busyDescriptors) {
  std::vector<std::string> args = {corvaneBinary(), "pgen"};
  args.insert(args.end(), words.begin(), words.end());
  for (const char* option : {"--listen", "--port", "--discovery-port"}) {
    if (std::find(words.begin(), words.end(), option) != words.end()) continue;
    args.push_back(option);
    args.push_back(std::string(option) == "--listen" ? "127.0.0.1" : "0");
  }
  child_ = std::make_unique<ChildProcess>(args, session.environment(), busyDescriptors);
  for (int i = 0; i < 10; ++i) {
    const std::string line = child_->readLine();
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
