// `corvane pgen` as a child process against a simulated setup, on the
// loopback address with ports the system picks, and the host's side of it.
#ifndef CORVANE_TESTS_SUPPORT_PGEN_CHILD_H
#define CORVANE_TESTS_SUPPORT_PGEN_CHILD_H

#include <cstdint>
#include <string>
#include <vector>

#include "support/loopback.h"
#include "support/way_in.h"

class PgenChild : public WayIn {
 public:
  // Starts `corvane pgen <words> --listen 127.0.0.1 --port 0
  // --discovery-port 0` (each option unless `words` has it) and reads its
  // lines up to "waiting for hosts", taking the ports from them.
  // `busyDescriptors` and `terminal` as ChildProcess takes them.
  explicit PgenChild(const SimSession& session, const std::vector<std::string>& words = {},
                     int busyDescriptors = 0, bool terminal = false);

  // The lines up to "waiting for hosts".
  const std::vector<std::string>& startLines() const { return startLines_; }
  uint16_t port() const { return port_; }
  uint16_t discoveryPort() const { return discoveryPort_; }

  // A host connected to it, with `receiveBuffer` as LoopbackSocket takes it.
  LoopbackSocket connect(int receiveBuffer = 0) const {
    return LoopbackSocket::connectedTcp(port_, 5000, receiveBuffer);
  }

 private:
  std::vector<std::string> startLines_;
  uint16_t port_ = 0;
  uint16_t discoveryPort_ = 0;
};

// Sends `bytes` and returns what comes back until it ends with `expected`
// (or the stream ends or 10 s pass): a reply, or several, to compare whole.
std::string exchange(LoopbackSocket* host, const std::string& bytes, const std::string& expected);

// Sends `command` over and over without reading a reply, so that corvane's
// replies fill both sides' buffers: until the connection takes nothing for
// `stallMs`, or (with 0) until corvane drops it. Bounded by 20 seconds. A
// host connected with a small receive buffer (connect(4096)) offers a small
// window from the start: one whose buffer shrinks later may still take a
// reply now and then, and corvane, never kept waiting, never drops it.
void floodWithoutReading(LoopbackSocket* host, const std::string& command, int stallMs);

#endif  // CORVANE_TESTS_SUPPORT_PGEN_CHILD_H
