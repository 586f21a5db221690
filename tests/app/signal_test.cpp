// SIGINT and SIGTERM end every way in that holds the card with status 130,
// without another answer, and with the card released for the next program,
// whatever it is doing when the signal comes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <functional>
#include <memory>

#include "net/pgen/literal_commands.h"
#include "net/resolve/literal_messages.h"
#include "support/pgen_child.h"
#include "support/resolve_child.h"
#include "support/resolve_frame.h"
#include "support/serve_client.h"

namespace {

using ::testing::StartsWith;

const char kCard[] = "[device]\nname = A\n";
// DisableVideoOutput takes long enough for a signal to land in the final
// release.
const char kSlowCard[] = "[device]\nname = A\ndisable_delay_ms = 1500\n";
const char kHd[] = "{\"ok\":true,\"width\":1920,\"height\":1080}";
const char kUhd[] = "{\"ok\":true,\"width\":3840,\"height\":2160}";

size_t count(const std::string& text, const std::string& needle) {
  size_t found = 0;
  for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) {
    ++found;
  }
  return found;
}

// Of `sent` paints queued, `answered` were answered and `shown` shown: no
// answer before its picture, and only the paint under way when the signal
// came shown without its answer.
void expectAtMostOneShownUnanswered(size_t shown, size_t answered, size_t sent) {
  EXPECT_GE(shown, answered);
  EXPECT_LE(shown, answered + 1);
  EXPECT_LT(shown, sent);
}

TEST(Signals, EndEveryWayInWith130AndTheCardReleased) {
  std::unique_ptr<SimSession> session;
  std::unique_ptr<WayIn> corvane;
  LoopbackSocket host;   // a pgen host, connected until the end
  std::string received;  // what it has received
  const auto setUp = [&](const char* cards) {
    corvane.reset();
    host.close();
    session = std::make_unique<SimSession>(cards);
  };
  const auto serve = [&](const char* cards, const char* open, const char* opened) {
    setUp(cards);
    auto client = std::make_unique<ServeClient>(*session);
    EXPECT_EQ(opened, client->ask(open));
    corvane = std::move(client);
  };
  const auto console = [&](const char* cards, const char* mode) {
    setUp(cards);
    corvane = std::make_unique<WayIn>(*session, std::vector<std::string>{"run", "0", mode});
    ASSERT_TRUE(corvane->readUntil("patch> "));
  };
  const auto resolve = [&](const char* mode, bool listening) -> ResolveChild& {
    setUp(kCard);
    auto child = std::make_unique<ResolveChild>(*session, mode, listening);
    ResolveChild& started = *child;
    corvane = std::move(child);
    return started;
  };
  const auto pgen = [&](const std::vector<std::string>& words) -> PgenChild& {
    setUp(kCard);
    auto child = std::make_unique<PgenChild>(*session, words);
    PgenChild& started = *child;
    corvane = std::move(child);
    return started;
  };
  const auto shown = [&] { return session->countLogLines("DisplayVideoFrameSync"); };
  const struct {
    const char* name;
    std::vector<int> signals;
    std::function<void()> reach;  // starts a way in and brings it to the moment
    std::function<void()> after = nullptr;  // checks after the end, if any
  } rows[] = {
      {"serve waiting for a request", {SIGTERM, SIGINT},
       [&] { serve(kCard, "{\"cmd\":\"open\",\"mode\":\"uhd\"}", kUhd); },
       [&] { EXPECT_EQ("", corvane->readAll()); }},
      {"serve whose host stopped reading", {SIGTERM, SIGINT},
       [&] {
         serve(kCard, "{\"cmd\":\"open\",\"mode\":\"uhd\"}", kUhd);
         // 30 KB of requests, which fit the input pipe, ask for 250 KB of
         // answers, which do not fit the output pipe.
         std::string requests;
         for (int i = 0; i < 2000; ++i) requests += "{\"cmd\":\"list\"}\n";
         corvane->write(requests);
         corvane->waitUntilStill();
       }},
      {"serve painting at 4K", {SIGTERM},
       [&] {
         serve(kCard, "{\"cmd\":\"open\",\"mode\":\"4k\"}",
               "{\"ok\":true,\"width\":4096,\"height\":2160}");
         std::string burst;
         for (int i = 0; i < 200; ++i) burst += "{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3}\n";
         corvane->write(burst);
         corvane->readLine();  // at least one paint has been answered
       },
       [&] {
         const std::string rest = corvane->readAll();
         EXPECT_TRUE(rest.empty() || rest.back() == '\n');  // no answer cut short
         expectAtMostOneShownUnanswered(shown(), 1 + count(rest, "\n"), 200);
       }},
      {"serve in its final release after quit", {SIGTERM},
       [&] {
         serve(kSlowCard, "{\"cmd\":\"open\"}", kHd);
         corvane->write("{\"cmd\":\"quit\"}\n");
         corvane->closeInput();
         corvane->waitForTheFramesRelease();
       }},
      {"serve in its final release at the end of its input", {SIGTERM},
       [&] {
         serve(kSlowCard, "{\"cmd\":\"open\"}", kHd);
         corvane->closeInput();
         corvane->waitForTheFramesRelease();
       }},
      {"the console waiting for a line", {SIGINT, SIGTERM},
       [&] {
         console(kCard, "4k");
         corvane->write("red\n");
         ASSERT_TRUE(corvane->readUntil("patch> "));
       },
       [&] { EXPECT_EQ("", corvane->readAll()); }},
      {"the console whose reader stopped reading", {SIGINT, SIGTERM},
       [&] {
         console(kCard, "hd");
         // 12 KB typed, 180 KB of lines and prompts in answer.
         std::string typed;
         for (int i = 0; i < 3000; ++i) typed += "red\n";
         corvane->write(typed);
         corvane->waitUntilStill();
       }},
      {"the console in its final release", {SIGINT},
       [&] {
         console(kSlowCard, "hd");
         corvane->write("quit\n");
         corvane->waitForTheFramesRelease();
       }},
      {"check while a picture is held", {SIGTERM, SIGINT},
       [&] {
         setUp(kCard);
         corvane = std::make_unique<WayIn>(
             *session, std::vector<std::string>{"check", "0", "hd", "--seconds", "10"});
         ASSERT_TRUE(corvane->readUntil("HDR\n"));
         // The first picture is on the card (at most five seconds).
         for (int tries = 0; tries < 500 && shown() == 0; ++tries) usleep(10000);
       }},
      {"resolve waiting for a host that does not listen", {SIGTERM},
       [&] {
         ResolveChild& child = resolve("hd", false);
         EXPECT_EQ("waiting for " + child.address(), child.readLine());
       }},
      {"resolve connected, waiting for a message", {SIGINT},
       [&] { resolve("uhd", true).acceptCorvane(); }},
      {"resolve painting at 4K", {SIGTERM},
       [&] {
         ResolveChild& child = resolve("4k", true);
         child.acceptCorvane();
         std::string burst;
         for (int i = 0; i < 100; ++i) burst += resolveFrame(literal::kGreyCm);
         ASSERT_TRUE(child.host.send(burst));
         EXPECT_THAT(child.readLine(), StartsWith("patch "));
       },
       [&] {
         // The black frame at the start, then the patches.
         expectAtMostOneShownUnanswered(shown() - 1, 1 + count(corvane->readAll(), "patch "),
                                        100);
       }},
      {"pgen waiting for hosts", {SIGINT, SIGTERM}, [&] { pgen({}); }},
      {"pgen with a host half-way through a command", {SIGINT, SIGTERM},
       [&] {
         host = pgen({}).connect();
         host.send("RGB=RECTANGLE;607,341;100;128,");
         ASSERT_TRUE(corvane->readUntil("connection from 127.0.0.1:"));
       }},
      {"pgen painting at 4K", {SIGTERM},
       [&] {
         host = pgen({"0", "4k"}).connect();
         std::string burst;
         for (int i = 0; i < 200; ++i) burst += literal::kHcfrPatch;
         host.send(burst);
         received = host.receive();
         EXPECT_THAT(received, StartsWith("OK\x02\r"));
       },
       [&] {
         // Every reply, up to the end of the connection (bounded: 10 s
         // without a byte, or 200 reads).
         for (int reads = 0; reads < 200; ++reads) {
           const std::string more = host.receive();
           if (more.empty()) break;
           received += more;
         }
         expectAtMostOneShownUnanswered(shown() - 1, count(received, "OK\x02\r"), 200);
       }},
      {"pgen with a reply waiting for a host that does not read", {SIGINT},
       [&] {
         host = pgen({}).connect();
         floodWithoutReading(&host, literal::kIsAlive, 100);
       }},
  };
  for (const auto& row : rows) {
    for (int signalNumber : row.signals) {
      SCOPED_TRACE(::testing::Message() << row.name << ", signal " << signalNumber);
      row.reach();
      corvane->endWithSignal(signalNumber);
      if (row.after) row.after();
      // The card is free for the next program.
      ServeClient next(*session);
      EXPECT_EQ(kHd, next.ask("{\"cmd\":\"open\"}"));
      EXPECT_EQ(0, next.finish());
      EXPECT_EQ("", session->audit());
    }
  }
}

}  // namespace
