// One simulated setup for tests that run corvane as a child process: a
// private directory holding the card's configuration, its call log, its
// cross-process hold and its captured frames.
#ifndef CORVANE_TESTS_SUPPORT_SIM_SESSION_H
#define CORVANE_TESTS_SUPPORT_SIM_SESSION_H

#include <map>
#include <string>
#include <vector>

#include "support/scratch_dir.h"

class SimSession {
 public:
  // `cards` is configuration text ([device] sections and any others); the
  // session adds its own [log], [hold] and, when `capture` is set, [capture].
  explicit SimSession(const std::string& cards, bool capture = false);

  const std::string& directory() const { return directory_.path(); }
  const std::string& logPath() const { return logPath_; }

  // The environment under which corvane finds the simulated card and this
  // setup.
  std::map<std::string, std::string> environment() const;
  // The same, without the simulated card on the library path.
  static std::map<std::string, std::string> withoutDriver();

  // Audits the call log: "" when every reference was released exactly once
  // and no call broke the API's rules, else the problems.
  std::string audit() const;
  // The log's lines, without their process-id prefix.
  std::vector<std::string> logLines() const;
  // How many log lines contain `needle`.
  size_t countLogLines(const std::string& needle) const;
  // The captured frame files, in display order.
  std::vector<std::string> frames() const;

 private:
  ScratchDir directory_;
  std::string logPath_;
  std::string configPath_;
};

std::string corvaneBinary();

#endif  // CORVANE_TESTS_SUPPORT_SIM_SESSION_H
