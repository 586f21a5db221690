// A host's side of `corvane serve`: starts it against a simulated setup,
// sends requests and collects responses, checking that each response is one
// JSON object.
#ifndef CORVANE_TESTS_SUPPORT_SERVE_CLIENT_H
#define CORVANE_TESTS_SUPPORT_SERVE_CLIENT_H

#include <memory>
#include <string>

#include "support/child_process.h"
#include "support/sim_session.h"

class ServeClient {
 public:
  // Starts `corvane serve` and reads its ready line into `ready()`.
  explicit ServeClient(const SimSession& session);
  ServeClient(const std::map<std::string, std::string>& environment);

  const std::string& ready() const { return ready_; }
  ChildProcess& process() { return *child_; }

  // Sends `request` and a line feed; returns the response line. Records a
  // test failure when the response is not one JSON object.
  std::string ask(const std::string& request);
  // Sends raw bytes without adding a line feed.
  void send(const std::string& bytes) { child_->write(bytes); }
  std::string nextLine();

  // Closes standard input and returns the exit status.
  int finish();

 private:
  std::unique_ptr<ChildProcess> child_;
  std::string ready_;
};

#endif  // CORVANE_TESTS_SUPPORT_SERVE_CLIENT_H
