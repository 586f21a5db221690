// How `corvane pgen` starts, and how it refuses to: its command line, a
// port that cannot be bound, a discovery port that cannot, a missing card.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "net/pgen/literal_commands.h"
#include "support/pgen_child.h"

namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

const char kCard[] = "[device]\nname = A\n";

int runPgen(const SimSession& session, std::vector<std::string> words, std::string* out) {
  words.insert(words.begin(), "pgen");
  return runCorvane(session.environment(), words, out);
}

TEST(PgenStart, WrongCommandLinesSayWhyWithStatusOne) {
  SimSession session(kCard);
  const struct {
    std::vector<std::string> words;
    const char* problem;
  } cases[] = {
      {{"--port", "70000"}, "corvane pgen: --port '70000' is not a number from 0 to 65535\n"},
      {{"0", "--port"}, "corvane pgen: --port needs a value\n"},
      {{"--listen", ""}, "corvane pgen: --listen needs a host name or address\n"},
      {{"0", "hd", "extra"}, "corvane pgen: one word too many: 'extra'\n"},
      {{"--verbose"}, "corvane pgen: unknown option '--verbose'\n"},
  };
  for (const auto& c : cases) {
    std::string out;
    EXPECT_EQ(1, runPgen(session, c.words, &out)) << c.problem;
    EXPECT_THAT(out, StartsWith(std::string(c.problem) + "usage: corvane list\n"));
  }
  EXPECT_TRUE(session.logLines().empty());  // the card was never touched
}

TEST(PgenStart, ACardThatCannotBeHeldIsStatusOne) {
  SimSession session(kCard);
  std::string out;
  EXPECT_EQ(1, runPgen(session, {"3", "--listen", "127.0.0.1", "--port", "0"}, &out));
  EXPECT_THAT(out, StartsWith("Could not open device 3: "));
  EXPECT_EQ(1, runPgen(session, {"0", "8k", "--listen", "127.0.0.1", "--port", "0"}, &out));
  EXPECT_THAT(out, StartsWith("Could not open device 0: "));
  EXPECT_EQ("", session.audit());
}

TEST(PgenStart, APortThatCannotBeBoundReleasesTheCardWithStatusOne) {
  SimSession session(kCard);
  LoopbackSocket taken = LoopbackSocket::listeningTcp();
  const std::string port = std::to_string(taken.port());
  std::string out;
  EXPECT_EQ(1, runPgen(session, {"--listen", "127.0.0.1", "--port", port}, &out));
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
