// How `corvane pgen` starts when its ports are taken: a port that cannot be
// bound ends it, a discovery port that cannot is a warning. (Its command
// line and a card it cannot hold: app/command_line_test.cpp.)
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "net/pgen/literal_commands.h"
#include "support/pgen_child.h"

namespace {

const char kCard[] = "[device]\nname = A\n";

TEST(PgenStart, APortThatCannotBeBoundReleasesTheCardWithStatusOne) {
  SimSession session(kCard);
  LoopbackSocket taken = LoopbackSocket::listeningTcp();
  const std::string port = std::to_string(taken.port());
  std::string out;
  EXPECT_EQ(1, runCorvane(session.environment(), {"pgen", "--listen", "127.0.0.1", "--port", port},
                          &out));
  EXPECT_EQ("Device held: hd 1920x1080\n"
            "corvane pgen: cannot bind 127.0.0.1:" + port + ": Address already in use\n"
            "Another program uses port " + port + " (another corvane pgen, or a PGenerator?): "
            "stop it, or choose another port with --port.\n"
            "output disabled, device released.\n",
            out);
  EXPECT_EQ("", session.audit());
  EXPECT_EQ(1u, session.countLogLines("DisableVideoOutput()"));
  EXPECT_EQ(1u, session.countLogLines("DisplayVideoFrameSync"));  // black, before listening
}

TEST(PgenStart, ADiscoveryPortThatCannotBeBoundIsAWarning) {
  SimSession session(kCard);
  LoopbackSocket taken = LoopbackSocket::udp();
  const std::string port = std::to_string(taken.port());
  PgenChild pgen(session, {"--discovery-port", port});
  EXPECT_THAT(pgen.startLines(),
              ::testing::Contains("warning: no discovery (cannot bind 0.0.0.0:" + port +
                                  ": Address already in use): type this computer's address "
                                  "into the host instead"));
  LoopbackSocket host = pgen.connect();
  EXPECT_EQ("ALIVE\x02\r", exchange(&host, literal::kIsAlive, "ALIVE\x02\r"));
  pgen.endWithSignal(SIGINT);
}

}  // namespace
