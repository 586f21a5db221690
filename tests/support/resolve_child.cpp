#include "support/resolve_child.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <utility>

namespace {

std::string loopbackAddress(const LoopbackSocket& listener) {
  return "127.0.0.1:" + std::to_string(listener.port());
}

}  // namespace

ResolveChild::ResolveChild(const SimSession& session, const std::string& mode, bool listening,
                           int busyDescriptors)
    : ResolveChild(session,
                   listening ? LoopbackSocket::listeningTcp() : LoopbackSocket::boundTcp(), mode,
                   busyDescriptors) {}

ResolveChild::ResolveChild(const SimSession& session, LoopbackSocket listener,
                           const std::string& mode, int busyDescriptors)
    : WayIn(session, {"resolve", loopbackAddress(listener), "0", mode}, busyDescriptors),
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
