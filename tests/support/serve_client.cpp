#include "support/serve_client.h"

#include <gtest/gtest.h>

#include "support/json_check.h"

ServeClient::ServeClient(const SimSession& session) : ServeClient(session.environment()) {}

ServeClient::ServeClient(const std::map<std::string, std::string>& environment)
    : child_(std::make_unique<ChildProcess>(
          std::vector<std::string>{corvaneBinary(), "serve"}, environment)) {
  ready_ = nextLine();
}

std::string ServeClient::nextLine() {
  std::string line = child_->readLine();
  EXPECT_TRUE(isOneJsonObject(line)) << "not one JSON object: " << line;
  return line;
}

std::string ServeClient::ask(const std::string& request) {
  child_->write(request + "\n");
  return nextLine();
}

int ServeClient::finish() {
  child_->closeInput();
  return child_->wait();
}
