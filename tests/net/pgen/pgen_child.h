// `corvane pgen` as a child process against a simulated setup, on the
// loopback address with ports the system picks, and the host's side of it.
#ifndef CORVANE_TESTS_NET_PGEN_PGEN_CHILD_H
#define CORVANE_TESTS_NET_PGEN_PGEN_CHILD_H

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "support/child_process.h"
#include "support/loopback.h"
#include "support/sim_session.h"

class PgenChild {
 public:
  // Starts `corvane pgen <words> --listen 127.0.0.1 --port 0
  // --discovery-port 0` (each option unless `words` has it) and reads its
  // lines up to "waiting for hosts", taking the ports from them.
  // `busyDescriptors` as ChildProcess takes it.
  explicit PgenChild(const SimSession& session, const std::vector<std::string>& words = {},
                     int busyDescriptors = 0);

  ChildProcess& process() { return *child_; }
  // The lines up to "waiting for hosts".
  const std::vector<std::string>& startLines() const { return startLines_; }
  uint16_t port() const { return port_; }
  uint16_t discoveryPort() const { return discoveryPort_; }

  // A host connected to it.
  LoopbackSocket connect() const { return LoopbackSocket::connectedTcp(port_); }

 private:
  std::unique_ptr<ChildProcess> child_;
  std::vector<std::string> startLines_;
  uint16_t port_ = 0;
  uint16_t discoveryPort_ = 0;
};

// Sends `bytes` and returns what comes back until it ends with `expected`
// (or the stream ends or 10 s pass): a reply, or several, to compare whole.
std::string exchange(LoopbackSocket* host, const std::string& bytes, const std::string& expected);

#endif  // CORVANE_TESTS_NET_PGEN_PGEN_CHILD_H
