// SIGINT and SIGTERM end every way in that holds the card with status 130,
// SIGHUP and SIGQUIT with 129 and 131, without another answer (the network
// modes with a last line), and with the card released for the next program,
// whatever it is doing when the signal comes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <csignal>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "net/pgen/literal_commands.h"
#include "net/resolve/literal_messages.h"
#include "support/pgen_child.h"
#include "support/resolve_child.h"
#include "support/resolve_frame.h"
#include "support/serve_client.h"

namespace {

using ::testing::EndsWith;
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

std::string repeated(const std::string& text, int times) {
  std::string all;
  for (int i = 0; i < times; ++i) all += text;
  return all;
}

// Of `sent` paints queued, `answered` were answered and `shown` shown: no
// answer before its picture, and only the paint under way when the signal
// came shown without its answer.
void expectAtMostOneShownUnanswered(size_t shown, size_t answered, size_t sent) {
  EXPECT_GE(shown, answered);
  EXPECT_LE(shown, answered + 1);
  EXPECT_LT(shown, sent);
}

// Starts a way in of type `Way` into `slot` and returns it.
template <class Way, class... Arguments>
Way& start(std::unique_ptr<WayIn>* slot, Arguments&&... arguments) {
  auto way = std::make_unique<Way>(std::forward<Arguments>(arguments)...);
  Way& started = *way;
  *slot = std::move(way);
  return started;
}

TEST(Signals, EndEveryWayInWith130AndTheCardReleased) {
  std::unique_ptr<SimSession> session;
  std::unique_ptr<WayIn> corvane;
  int signalNow = 0;  // the signal of the row under way
  const auto lastLine = [&] {
    const char* name = signalNow == SIGINT ? "SIGINT" : signalNow == SIGTERM ? "SIGTERM"
                     : signalNow == SIGHUP ? "SIGHUP" : "SIGQUIT";
    EXPECT_THAT(corvane->readAll(),
                EndsWith(std::string("ended by ") + name + ": output disabled, device released.\n"));
  };
  LoopbackSocket host;   // a pgen host, connected until the end
  std::string received;  // what it has received
  const auto serve = [&](const char* open, const char* opened) {
    EXPECT_EQ(opened, start<ServeClient>(&corvane, *session).ask(open));
  };
  const auto console = [&](const char* mode) {
    start<WayIn>(&corvane, *session, std::vector<std::string>{"run", "0", mode});
    ASSERT_TRUE(corvane->readUntil("patch> "));
  };
  const auto shown = [&] { return session->countLogLines("DisplayVideoFrameSync"); };
  const struct {
    const char* name;
    const char* cards;
    std::vector<int> signals;
    std::function<void()> reach;  // starts a way in and brings it to the moment
    std::function<void()> after = nullptr;  // checks after the end, if any
  } rows[] = {
      {"serve waiting for a request", kCard, {SIGTERM, SIGINT, SIGHUP, SIGQUIT},
       [&] { serve("{\"cmd\":\"open\",\"mode\":\"uhd\"}", kUhd); },
       [&] { EXPECT_EQ("", corvane->readAll()); }},
      // 30 KB of requests, which fit the input pipe, ask for 250 KB of
      // answers, which do not fit the output pipe.
      {"serve whose host stopped reading", kCard, {SIGTERM, SIGINT},
       [&] {
         serve("{\"cmd\":\"open\",\"mode\":\"uhd\"}", kUhd);
         corvane->write(repeated("{\"cmd\":\"list\"}\n", 2000));
         corvane->waitUntilStill();
       }},
      {"serve painting at 4K", kCard, {SIGTERM},
       [&] {
         serve("{\"cmd\":\"open\",\"mode\":\"4k\"}",
               "{\"ok\":true,\"width\":4096,\"height\":2160}");
         corvane->write(repeated("{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3}\n", 200));
         corvane->readLine();  // at least one paint has been answered
       },
       [&] {
         const std::string rest = corvane->readAll();
         EXPECT_TRUE(rest.empty() || rest.back() == '\n');  // no answer cut short
         expectAtMostOneShownUnanswered(shown(), 1 + count(rest, "\n"), 200);
       }},
      {"serve in its final release after quit", kSlowCard, {SIGTERM},
       [&] {
         serve("{\"cmd\":\"open\"}", kHd);
         corvane->write("{\"cmd\":\"quit\"}\n");
         corvane->closeInput();
         corvane->waitForTheFramesRelease();
       }},
      {"serve in its final release at the end of its input", kSlowCard, {SIGTERM},
       [&] {
         serve("{\"cmd\":\"open\"}", kHd);
         corvane->closeInput();
         corvane->waitForTheFramesRelease();
       }},
      {"the console waiting for a line", kCard, {SIGINT, SIGTERM, SIGHUP, SIGQUIT},
       [&] {
         console("4k");
         corvane->write("red\n");
         ASSERT_TRUE(corvane->readUntil("patch> "));
       },
       [&] { EXPECT_EQ("", corvane->readAll()); }},
      // 12 KB typed, 180 KB of lines and prompts in answer.
      {"the console whose reader stopped reading", kCard, {SIGINT, SIGTERM},
       [&] {
         console("hd");
         corvane->write(repeated("red\n", 3000));
         corvane->waitUntilStill();
       }},
      {"the console in its final release", kSlowCard, {SIGINT},
       [&] {
         console("hd");
         corvane->write("quit\n");
         corvane->waitForTheFramesRelease();
       }},
      {"check while a picture is held", kCard, {SIGTERM, SIGINT, SIGHUP, SIGQUIT},
       [&] {
         start<WayIn>(&corvane, *session,
                      std::vector<std::string>{"check", "0", "hd", "--seconds", "10"});
         ASSERT_TRUE(corvane->readUntil("HDR\n"));
         // The first picture is on the card (at most five seconds).
         for (int tries = 0; tries < 500 && shown() == 0; ++tries) usleep(10000);
       }},
      {"resolve waiting for a host that does not listen", kCard, {SIGTERM, SIGHUP, SIGQUIT},
       [&] {
         ResolveChild& resolve = start<ResolveChild>(&corvane, *session, "hd", false);
         EXPECT_EQ("waiting for " + resolve.address(), resolve.readLine());
       },
       lastLine},
      {"resolve connected, waiting for a message", kCard, {SIGINT},
       [&] { start<ResolveChild>(&corvane, *session, "uhd").acceptCorvane(); }},
      {"resolve painting at 4K", kCard, {SIGTERM},
       [&] {
         ResolveChild& resolve = start<ResolveChild>(&corvane, *session, "4k");
         resolve.acceptCorvane();
         ASSERT_TRUE(resolve.host.send(repeated(resolveFrame(literal::kGreyCm), 100)));
         EXPECT_THAT(resolve.readLine(), StartsWith("patch "));
       },
       [&] {
         // The black frame at the start, then the patches.
         expectAtMostOneShownUnanswered(shown() - 1, 1 + count(corvane->readAll(), "patch "),
                                        100);
       }},
      {"pgen waiting for hosts", kCard, {SIGINT, SIGTERM, SIGHUP, SIGQUIT},
       [&] { start<PgenChild>(&corvane, *session); }, lastLine},
      {"pgen with a host half-way through a command", kCard, {SIGINT, SIGTERM},
       [&] {
         host = start<PgenChild>(&corvane, *session).connect();
         host.send("RGB=RECTANGLE;607,341;100;128,");
         ASSERT_TRUE(corvane->readUntil("connection from 127.0.0.1:"));
       }},
      {"pgen painting at 4K", kCard, {SIGTERM},
       [&] {
         host = start<PgenChild>(&corvane, *session, std::vector<std::string>{"0", "4k"}).connect();
         host.send(repeated(literal::kHcfrPatch, 200));
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
      {"pgen with a reply waiting for a host that does not read", kCard, {SIGINT},
       [&] {
         host = start<PgenChild>(&corvane, *session).connect(4096);
         floodWithoutReading(&host, literal::kIsAlive, 100);
       }},
  };
  for (const auto& row : rows) {
    for (int signalNumber : row.signals) {
      SCOPED_TRACE(::testing::Message() << row.name << ", signal " << signalNumber);
      signalNow = signalNumber;
      corvane.reset();
      host.close();
      session = std::make_unique<SimSession>(row.cards);
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
