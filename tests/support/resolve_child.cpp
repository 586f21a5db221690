#include "support/resolve_child.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

std::string loopbackAddress(const LoopbackSocket& listener) {
  return "127.0.0.1:" + std::to_string(listener.port());
}

std::vector<std::string> withExtra(std::vector<std::string> words,
                                   const std::vector<std::string>& extra) {
  words.insert(words.end(), extra.begin(), extra.end());
  return words;
}

}  // namespace

ResolveChild::ResolveChild(const SimSession& session, const std::string& mode, bool listening,
                           int busyDescriptors, const std::vector<std::string>& extra)
    : ResolveChild(session,
                   listening ? LoopbackSocket::listeningTcp() : LoopbackSocket::boundTcp(), mode,
                   busyDescriptors, extra) {}

ResolveChild::ResolveChild(const SimSession& session, LoopbackSocket listener,
                           const std::string& mode, int busyDescriptors,
                           const std::vector<std::string>& extra)
    : WayIn(session, withExtra({"resolve", loopbackAddress(listener), "0", mode}, extra),
            busyDescriptors),
      listener_(std::move(listener)),
      address_(loopbackAddress(listener_)) {
  EXPECT_TRUE(listener_.ok());
  EXPECT_THAT(readLine(), ::testing::StartsWith("Device held: " + mode + " "));
}

void ResolveChild::acceptCorvane(bool readConnected) {
  host = listener_.accept();
  ASSERT_TRUE(host.ok());
  if (readConnected) {
    ASSERT_EQ("connected to " + address_, readLine());
  }
}

std::string ResolveChild::tell(const std::string& bytes) {
  EXPECT_TRUE(host.send(bytes));
  return readLine();
}
