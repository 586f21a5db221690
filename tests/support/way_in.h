// corvane started in one of its ways in (serve, run, resolve, pgen, check)
// as a child process against a simulated setup, and what every end-to-end
// test does with it: send, read, end it with a signal, audit the card.
#ifndef CORVANE_TESTS_SUPPORT_WAY_IN_H
#define CORVANE_TESTS_SUPPORT_WAY_IN_H

#include <csignal>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "support/child_process.h"
#include "support/sim_session.h"

class WayIn : public ChildProcess {
 public:
  // Starts `corvane <words>` under the session's environment;
  // `busyDescriptors` and `terminal` as ChildProcess takes them.
  WayIn(const SimSession& session, const std::vector<std::string>& words,
        int busyDescriptors = 0, bool terminal = false);
  // Under an environment of no setup (SimSession::withoutDriver()): there is
  // no card to audit.
  WayIn(const std::map<std::string, std::string>& environment,
        const std::vector<std::string>& words);
  // A test may keep any way in as a WayIn.
  virtual ~WayIn() = default;

  // Ends it with `signalNumber`: status 130 (128 + the number for signals
  // other than SIGINT and SIGTERM), every reference released
  // exactly once, and the card's output disabled `releases` times (1 for a
  // program that held the card; nullopt where that depends on the moment).
  void endWithSignal(int signalNumber = SIGTERM, std::optional<size_t> releases = 1);

  // Waits, at most ten seconds, until the card's call log stops growing:
  // given more output than a pipe or a socket holds and a reader that never
  // reads, the program is then waiting to write.
  void waitUntilStill() const;
  // Waits, at most ten seconds, until the program has released its frame:
  // with a slow DisableVideoOutput, it is then in the middle of its final
  // release.
  void waitForTheFramesRelease() const;

 private:
  const SimSession* session_ = nullptr;
};

// Runs `corvane <words>` to its end with `input` on standard input; returns
// its status and puts its whole output into `output`.
int runCorvane(const std::map<std::string, std::string>& environment,
               const std::vector<std::string>& words, std::string* output,
               const std::string& input = "");

#endif  // CORVANE_TESTS_SUPPORT_WAY_IN_H
