// A host's side of `corvane serve`: starts it against a simulated setup,
// sends requests and collects responses, checking that each response is one
// JSON object.
#ifndef CORVANE_TESTS_SUPPORT_SERVE_CLIENT_H
#define CORVANE_TESTS_SUPPORT_SERVE_CLIENT_H

#include <map>
#include <string>

#include "support/way_in.h"

class ServeClient : public WayIn {
 public:
  // Starts `corvane serve` and reads its ready line into `ready()`.
  explicit ServeClient(const SimSession& session);
  explicit ServeClient(const std::map<std::string, std::string>& environment);

  const std::string& ready() const { return ready_; }

  // Sends `request` and a line feed; returns the response line. Records a
  // test failure when the response is not one JSON object.
  std::string ask(const std::string& request);
  std::string nextLine();

  // Closes standard input and returns the exit status.
  int finish();

 private:
  std::string ready_;
};

#endif  // CORVANE_TESTS_SUPPORT_SERVE_CLIENT_H
