#include "support/serve_client.h"

#include <gtest/gtest.h>

#include "support/json_check.h"

ServeClient::ServeClient(const SimSession& session) : WayIn(session, {"serve"}) {
  ready_ = nextLine();
}

ServeClient::ServeClient(const std::map<std::string, std::string>& environment)
    : WayIn(environment, {"serve"}) {
  ready_ = nextLine();
}

std::string ServeClient::nextLine() {
  std::string line = readLine();
  EXPECT_TRUE(isOneJsonObject(line)) << "not one JSON object: " << line;
  return line;
}

std::string ServeClient::ask(const std::string& request) {
  write(request + "\n");
  return nextLine();
}

int ServeClient::finish() {
  closeInput();
  return wait();
}
