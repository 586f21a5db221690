// Faults at every moment: signals at random moments of a busy session,
// frames that cannot be written or shown, and each DeckLink call of a
// session failing in turn.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <time.h>
#include <unistd.h>

#include <csignal>
#include <map>
#include <random>
#include <set>

#include "serve/serve_answers.h"
#include "support/json_check.h"
#include "support/log_lines.h"
#include "support/serve_fixture.h"
#include "support/windows.h"

namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

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
  std::vector<std::string> runWithFault(size_t failing, const std::vector<const char*>& requests);
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
    ASSERT_EQ(kReady, client.ready());
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

// A frame that cannot be written is never displayed: the card would go on
// showing the previous picture, and a host would measure it as this one.
// Neither serve nor the console stops at it, nor at a display the card
// refuses; each paint tries again.
TEST_F(Faults, FramesThatCannotBeWrittenOrShown) {
  const struct {
    const char* fault;
    std::string answer;    // serve's to each paint
    size_t bufferQueries;  // by serve's three paints: none when the rows are too short
    bool displayed;        // the card is asked to display each paint
  } rows[] = {
      {"buffer = no\n", kNotWritable, 3, false},
      {"start_access = E_FAIL\n", kNotWritable, 3, false},
      {"get_bytes = E_FAIL\n", kNotWritable, 3, false},
      {"get_bytes = null\n", kNotWritable, 3, false},
      {"row_bytes = 7000\n", kNotWritable, 0, false},
      {"display = E_FAIL\n", kDisplayFailed, 3, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fault);
    ServeClient& client = serve(std::string(kCard) + row.fault, true);
    EXPECT_EQ(kHd, client.ask("{\"cmd\":\"open\"}"));
    EXPECT_EQ(row.answer, client.ask("{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3}"));
    EXPECT_EQ(row.answer, client.ask("{\"cmd\":\"align\"}"));
    // Still held, and each request tries the frame again.
    EXPECT_EQ(kHd, client.ask("{\"cmd\":\"setmode\",\"mode\":\"hd\"}"));
    EXPECT_EQ(row.answer, client.ask("{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3}"));
    endServing();
    EXPECT_EQ(row.bufferQueries, session().countLogLines("QueryInterface(IDeckLinkVideoBuffer)"));
    EXPECT_EQ(row.displayed ? 3u : 0u, session().countLogLines("DisplayVideoFrameSync"));
    EXPECT_TRUE(session().frames().empty());
    EXPECT_EQ(1u, session().countLogLines("DisableVideoOutput()"));

    SimSession console(std::string(kCard) + row.fault, true);
    std::string out;
    EXPECT_EQ(0, runCorvane(console.environment(), {"run", "0", "hd"}, &out, "red\nalign\n"));
    EXPECT_THAT(out, StartsWith("Device held: hd 1920x1080\n"));
    EXPECT_THAT(out, EndsWith("patch>   display failed\npatch>   display failed\n"
                              "patch> output disabled, device released.\n"));
    EXPECT_EQ(row.displayed ? 2u : 0u, console.countLogLines("DisplayVideoFrameSync"));
    EXPECT_TRUE(console.frames().empty());
    EXPECT_EQ("", console.audit());
  }
}

// Sessions that touch every kind of DeckLink call the program makes: a
// plain one, and one that signals HDR, changes it, carries it over a switch
// and ends it, every call of the signalling path. Each has at least
// `leastCalls` calls.
const struct {
  std::vector<const char*> requests;
  size_t leastCalls;
} kFaultSessions[] = {
    {{"{\"cmd\":\"list\"}", "{\"cmd\":\"open\",\"mode\":\"hd\"}",
      "{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3,\"area\":10}", "{\"cmd\":\"align\"}",
      "{\"cmd\":\"setmode\",\"mode\":\"uhd\"}", "{\"cmd\":\"patch\",\"r\":4,\"g\":5,\"b\":6}",
      "{\"cmd\":\"setmode\",\"mode\":\"hd\"}", "{\"cmd\":\"close\"}"},
     20},
    {{"{\"cmd\":\"open\",\"mode\":\"hd\"}",
      "{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3,\"area\":10}",
      "{\"cmd\":\"hdr\",\"eotf\":\"pq\"}", "{\"cmd\":\"setmode\",\"mode\":\"hd@50\"}",
      "{\"cmd\":\"hdr\",\"eotf\":\"hlg\"}", "{\"cmd\":\"patch\",\"r\":4,\"g\":5,\"b\":6}",
      "{\"cmd\":\"hdr\",\"eotf\":\"sdr\"}", "{\"cmd\":\"modes\"}", "{\"cmd\":\"close\"}"},
     40},
};

// Runs `requests` with DeckLink call number `failing` (0: none) failing.
// Without a failing call, returns the site of each call the card counted:
// the request's command, the object by its kind and its order among the
// objects of that kind the request used, and the method ("hdr Buffer 2
// StartAccess": the second buffer, the new frame's, written).
std::vector<std::string> Faults::runWithFault(size_t failing,
                                              const std::vector<const char*>& requests) {
  ServeClient& client = serve("[device]\nname = A\n" +
                              (failing ? "[faults]\nfail_call = " + std::to_string(failing) + "\n"
                                       : std::string()));
  std::vector<std::string> sites;
  for (size_t r = 0; r < requests.size(); ++r) {
    std::string answer = client.ask(requests[r]);
    EXPECT_NE("<timeout>", answer) << requests[r];
    if (failing) continue;
    // Each call is written to the log before its answer, so the log holds
    // this request's calls now.
    const std::vector<std::string> calls = countedCalls(session().logLines());
    const std::string request = requests[r];
    const size_t word = request.find("\"cmd\":\"") + 7;
    const std::string command = request.substr(word, request.find('"', word) - word);
    std::map<std::string, std::string> objects;  // "Buffer#12" -> "Buffer 2"
    std::map<std::string, int> ofKind;
    for (size_t c = sites.size(); c < calls.size(); ++c) {
      const std::string object = calls[c].substr(0, calls[c].find(' '));
      const std::string kind = object.substr(0, object.find('#'));
      if (!objects.count(object)) objects[object] = kind + " " + std::to_string(++ofKind[kind]);
      const std::string method = calls[c].substr(object.size(), calls[c].find('(') - object.size());
      sites.push_back(command + " " + objects[object] + method);
    }
  }
  // Whatever failed, the program still answers and can hold the card again.
  EXPECT_EQ(kHd, client.ask("{\"cmd\":\"open\",\"mode\":\"hd\"}"));
  EXPECT_EQ(patchAnswer(kHdFull), client.ask("{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3}"));
  endServing();
  return sites;
}

// A call made again at the same site (a value of the metadata after
// another, a mode of the table after another, the second patch after the
// first) takes the same path through the program when it fails: each site
// fails once, at its first call.
TEST_F(Faults, EachDeckLinkCallFailingOnce) {
  for (const auto& faultSession : kFaultSessions) {
    const std::vector<std::string> sites = runWithFault(0, faultSession.requests);
    ASSERT_GT(sites.size(), faultSession.leastCalls);
    std::set<std::string> failed;
    for (size_t failing = 1; failing <= sites.size(); ++failing) {
      if (!failed.insert(sites[failing - 1]).second) continue;
      SCOPED_TRACE(::testing::Message() << "call " << failing << " of " << sites.size()
                                        << " fails: " << sites[failing - 1]);
      runWithFault(failing, faultSession.requests);
      if (HasFailure()) return;
    }
  }
}

}  // namespace
