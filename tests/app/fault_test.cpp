// Faults at every moment: signals at random moments of a busy session, and
// each DeckLink call of a session failing in turn.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <time.h>
#include <unistd.h>

#include <csignal>
#include <random>

#include "support/json_check.h"
#include "support/log_lines.h"
#include "support/serve_fixture.h"
#include "support/windows.h"

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

// Opens, paints, aligns, switches and reopens, at all three sizes, so that a
// signal can land in any kind of work, 4K painting included.
std::string busySession() {
  std::string requests;
  const char* modes[] = {"4k", "uhd", "hd"};
  for (int round = 0; round < 3; ++round) {
    requests += std::string("{\"cmd\":\"open\",\"mode\":\"") + modes[round] + "\"}\n";
    for (int i = 0; i < 4; ++i) {
      requests += "{\"cmd\":\"patch\",\"r\":" + std::to_string(100 * i) +
                  ",\"g\":2,\"b\":3,\"area\":" + std::to_string(1 + 30 * i) + "}\n";
    }
    requests += "{\"cmd\":\"align\"}\n{\"cmd\":\"list\"}\n";
    requests += std::string("{\"cmd\":\"setmode\",\"mode\":\"") + modes[(round + 1) % 3] +
                "\"}\n{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3}\n";
  }
  return requests;
}

// Every line written is whole and is one JSON object.
void expectWholeLines(const std::string& output) {
  EXPECT_TRUE(output.empty() || output.back() == '\n') << output;
  size_t start = 0;
  while (start < output.size()) {
    size_t end = output.find('\n', start);
    if (end == std::string::npos) break;
    EXPECT_TRUE(isOneJsonObject(output.substr(start, end - start)));
    start = end + 1;
  }
}

// The failing-call runs are the fixture's serves, each audited before the next.
class Faults : public ServeTest {
 protected:
  size_t runWithFault(size_t failing, const std::vector<const char*>& requests);
};

TEST_F(Faults, SignalAtARandomMomentOfServing) {
  std::mt19937 random(20261207);
  const std::string requests = busySession();
  const int kRuns = 40;
  for (int run = 0; run < kRuns; ++run) {
    const int delayUs = std::uniform_int_distribution<int>(0, 150000)(random);
    SCOPED_TRACE(::testing::Message() << "run " << run << ", signal after " << delayUs << " us");
    SimSession session("[device]\nname = A\n");
    ServeClient client(session);
    ASSERT_EQ("{\"ok\":true,\"ready\":true}", client.ready());
    client.write(requests);
    usleep(static_cast<useconds_t>(delayUs));
    client.endWithSignal(run % 2 ? SIGINT : SIGTERM, std::nullopt);
    expectWholeLines(client.readAll());
  }
}

TEST_F(Faults, SignalAtARandomMomentOfTheConsole) {
  std::mt19937 random(7);
  std::string typed;
  for (int i = 0; i < 10; ++i) typed += "red\nalign\n1 2 3\nsizefull\nwhite\nsize3\n";
  for (int run = 0; run < 20; ++run) {
    SCOPED_TRACE(::testing::Message() << "run " << run);
    SimSession session("[device]\nname = A\n");
    WayIn console(session, {"run", "0", run % 3 == 0 ? "hd" : "4k"});
    ASSERT_TRUE(console.readUntil("Device held:"));
    console.write(typed);
    usleep(static_cast<useconds_t>(std::uniform_int_distribution<int>(0, 100000)(random)));
    console.endWithSignal(run % 2 ? SIGINT : SIGTERM, std::nullopt);
    EXPECT_THAT(console.readAll(), Not(HasSubstr("released")));
  }
}

// A session that touches every kind of DeckLink call the program makes.
const char* const kFaultSession[] = {
    "{\"cmd\":\"list\"}",
    "{\"cmd\":\"open\",\"mode\":\"hd\"}",
    "{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3,\"area\":10}",
    "{\"cmd\":\"align\"}",
    "{\"cmd\":\"setmode\",\"mode\":\"uhd\"}",
    "{\"cmd\":\"patch\",\"r\":4,\"g\":5,\"b\":6}",
    "{\"cmd\":\"setmode\",\"mode\":\"hd\"}",
    "{\"cmd\":\"close\"}",
};

// A session that signals HDR, changes it, carries it over a switch and
// ends it: every call of the signalling path.
const std::vector<const char*> kHdrFaultSession = {
    "{\"cmd\":\"open\",\"mode\":\"hd\"}",
    "{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3,\"area\":10}",
    "{\"cmd\":\"hdr\",\"eotf\":\"pq\"}",
    "{\"cmd\":\"setmode\",\"mode\":\"hd@50\"}",
    "{\"cmd\":\"hdr\",\"eotf\":\"hlg\"}",
    "{\"cmd\":\"patch\",\"r\":4,\"g\":5,\"b\":6}",
    "{\"cmd\":\"hdr\",\"eotf\":\"sdr\"}",
    "{\"cmd\":\"modes\"}",
    "{\"cmd\":\"close\"}",
};

// Runs `requests` with DeckLink call number `failing` (0: none) failing;
// returns the number of calls the card counted.
size_t Faults::runWithFault(size_t failing, const std::vector<const char*>& requests) {
  ServeClient& client = serve("[device]\nname = A\n" +
                              (failing ? "[faults]\nfail_call = " + std::to_string(failing) + "\n"
                                       : std::string()));
  for (const char* request : requests) {
    std::string answer = client.ask(request);
    EXPECT_NE("<timeout>", answer) << request;
  }
  // The calls of the session itself: each is written to the log before its
  // answer, so the log is complete now.
  const size_t counted = countedCalls(session().logLines()).size();
  // Whatever failed, the program still answers and can hold the card again.
  EXPECT_EQ("{\"ok\":true,\"width\":1920,\"height\":1080}",
            client.ask("{\"cmd\":\"open\",\"mode\":\"hd\"}"));
  EXPECT_EQ(patchAnswer(kHdFull),
            client.ask("{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3}"));
  endServing();
  return counted;
}

TEST_F(Faults, EachDeckLinkCallFailingOnce) {
  const std::vector<const char*> requests(std::begin(kFaultSession), std::end(kFaultSession));
  const size_t calls = runWithFault(0, requests);
  ASSERT_GT(calls, 20u);
  for (size_t failing = 1; failing <= calls; ++failing) {
    SCOPED_TRACE(::testing::Message() << "call " << failing << " of " << calls << " fails");
    runWithFault(failing, requests);
    if (HasFailure()) break;
  }
}

TEST_F(Faults, EachDeckLinkCallOfHdrSignallingFailingOnce) {
  const size_t calls = runWithFault(0, kHdrFaultSession);
  ASSERT_GT(calls, 40u);
  for (size_t failing = 1; failing <= calls; ++failing) {
    SCOPED_TRACE(::testing::Message() << "call " << failing << " of " << calls << " fails");
    runWithFault(failing, kHdrFaultSession);
    if (HasFailure()) break;
  }
}

}  // namespace
