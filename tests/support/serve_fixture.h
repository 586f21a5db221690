// The fixture of end-to-end tests of `corvane serve`: a test starts serve
// against a simulated setup of its own, and at its end every serve it
// started must end at the end of its input with status 0, leaving a card
// log that audits clean.
#ifndef CORVANE_TESTS_SUPPORT_SERVE_FIXTURE_H
#define CORVANE_TESTS_SUPPORT_SERVE_FIXTURE_H

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/serve_client.h"
#include "support/sim_session.h"

class ServeTest : public ::testing::Test {
 protected:
  // Ends what runs (as the test's end does), then starts serve against a
  // new setup of `cards`, whose frames are captured when `capture` is set.
  ServeClient& serve(const std::string& cards, bool capture = false);
  // Another serve against the same setup.
  ServeClient& another();
  // A serve that finds no driver.
  ServeClient& serveWithoutDriver();

  // Closes every serve's input and expects status 0 from each, and an
  // audit without problems.
  void endServing();
  void TearDown() override { endServing(); }

  const SimSession& session() const { return *session_; }

 private:
  std::unique_ptr<SimSession> session_;
  std::vector<std::unique_ptr<ServeClient>> clients_;
};

#endif  // CORVANE_TESTS_SUPPORT_SERVE_FIXTURE_H
