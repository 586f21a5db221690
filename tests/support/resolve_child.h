// `corvane resolve` as a child process against a simulated setup, and the
// calibration host it connects to: a listener on 127.0.0.1 at a port the
// system picks.
#ifndef CORVANE_TESTS_SUPPORT_RESOLVE_CHILD_H
#define CORVANE_TESTS_SUPPORT_RESOLVE_CHILD_H

#include <string>
#include <vector>

#include "support/loopback.h"
#include "support/way_in.h"

class ResolveChild : public WayIn {
 public:
  // Starts `corvane resolve 127.0.0.1:<port> 0 <mode>` towards a listener
  // that listens, or is only bound (connections refused until it listens),
  // and reads its "Device held" line.
  // `extra` words follow on its command line.
  explicit ResolveChild(const SimSession& session, const std::string& mode = "hd",
                        bool listening = true, int busyDescriptors = 0,
                        const std::vector<std::string>& extra = {});

  const std::string& address() const { return address_; }
  LoopbackSocket& listener() { return listener_; }

  // Accepts corvane's connection as `host` and, if asked, reads its
  // "connected to" line.
  void acceptCorvane(bool readConnected = true);
  // Sends bytes as the host and returns corvane's next line.
  std::string tell(const std::string& bytes);

  LoopbackSocket host;

 private:
  ResolveChild(const SimSession& session, LoopbackSocket listener, const std::string& mode,
               int busyDescriptors, const std::vector<std::string>& extra);

  LoopbackSocket listener_;
  std::string address_;
};

#endif  // CORVANE_TESTS_SUPPORT_RESOLVE_CHILD_H
