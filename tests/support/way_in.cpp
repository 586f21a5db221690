#include "support/way_in.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "support/log_lines.h"

namespace {

std::vector<std::string> corvaneWith(const std::vector<std::string>& words) {
  std::vector<std::string> args = {corvaneBinary()};
  args.insert(args.end(), words.begin(), words.end());
  return args;
}

}  // namespace

WayIn::WayIn(const SimSession& session, const std::vector<std::string>& words,
             int busyDescriptors, bool terminal)
    : ChildProcess(corvaneWith(words), session.environment(), busyDescriptors, terminal),
      session_(&session) {}

WayIn::WayIn(const std::map<std::string, std::string>& environment,
             const std::vector<std::string>& words)
    : ChildProcess(corvaneWith(words), environment) {}

void WayIn::endWithSignal(int signalNumber, std::optional<size_t> releases) {
  sendSignal(signalNumber);
  const bool interrupted = signalNumber == SIGINT || signalNumber == SIGTERM;
  EXPECT_EQ(interrupted ? 130 : 128 + signalNumber, wait()) << "signal " << signalNumber;
  if (session_ == nullptr) return;
  EXPECT_EQ("", session_->audit());
  if (releases) {
    EXPECT_EQ(*releases, session_->countLogLines("DisableVideoOutput()"));
  }
}

void WayIn::waitUntilStill() const {
  size_t last = 0;
  for (int tries = 0; tries < 100; ++tries) {
    usleep(100000);
    const size_t now = session_->logLines().size();
    if (now > 0 && now == last) return;
    last = now;
  }
  ADD_FAILURE() << "the program never stopped";
}

void WayIn::waitForTheFramesRelease() const {
  for (int tries = 0; tries < 200; ++tries) {
    for (const std::string& line : linesWith(session_->logLines(), "Release() = 0")) {
      if (line.rfind("Frame#", 0) == 0) return;
    }
    usleep(50000);
  }
  ADD_FAILURE() << "the frame was never released";
}

int runCorvane(const std::map<std::string, std::string>& environment,
               const std::vector<std::string>& words, std::string* output,
               const std::string& input) {
  return runToEnd(corvaneWith(words), environment, input, output);
}
