#include "support/serve_fixture.h"

ServeClient& ServeTest::serve(const std::string& cards, bool capture) {
  endServing();
  session_ = std::make_unique<SimSession>(cards, capture);
  return another();
}

ServeClient& ServeTest::another() {
  clients_.push_back(std::make_unique<ServeClient>(*session_));
  return *clients_.back();
}

ServeClient& ServeTest::serveWithoutDriver() {
  clients_.push_back(std::make_unique<ServeClient>(SimSession::withoutDriver()));
  return *clients_.back();
}

void ServeTest::endServing() {
  for (const auto& client : clients_) EXPECT_EQ(0, client->finish());
  clients_.clear();
  if (session_) {
    EXPECT_EQ("", session_->audit());
  }
}
