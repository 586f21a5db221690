// SIGINT and SIGTERM end a holding program with status 130, without an
// answer, and with the card released.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <csignal>

#include "support/child_process.h"
#include "support/log_lines.h"
#include "support/serve_client.h"

namespace {

const char kCard[] = "[device]\nname = A\n";

// Waits, at most ten seconds, until the program's call log stops growing:
// given more output than a pipe holds and a reader that never reads, the
// program is then waiting to write.
void waitUntilStill(const SimSession& session) {
  size_t last = 0;
  for (int tries = 0; tries < 100; ++tries) {
    usleep(100000);
    const size_t now = session.logLines().size();
    if (now > 0 && now == last) return;
    last = now;
  }
  ADD_FAILURE() << "the program never stopped";
}

TEST(Signals, EndServeWithTheCardReleased) {
  for (int signalNumber : {SIGTERM, SIGINT}) {
    SimSession session(kCard);
    ServeClient client(session);
    EXPECT_EQ("{\"ok\":true,\"width\":3840,\"height\":2160}",
              client.ask("{\"cmd\":\"open\",\"mode\":\"uhd\"}"));
    client.process().sendSignal(signalNumber);
    EXPECT_EQ(130, client.process().wait()) << signalNumber;
    EXPECT_EQ("", client.process().readAll());
    EXPECT_EQ("", session.audit());
    EXPECT_EQ(1u, session.countLogLines("DisableVideoOutput()"));
    // The card is free for the next program.
    ServeClient next(session);
    EXPECT_EQ("{\"ok\":true,\"width\":1920,\"height\":1080}", next.ask("{\"cmd\":\"open\"}"));
    EXPECT_EQ(0, next.finish());
  }
}

TEST(Signals, EndServeWhoseHostStoppedReading) {
  for (int signalNumber : {SIGTERM, SIGINT}) {
    SimSession session(kCard);
    ServeClient client(session);
    EXPECT_EQ("{\"ok\":true,\"width\":3840,\"height\":2160}",
              client.ask("{\"cmd\":\"open\",\"mode\":\"uhd\"}"));
    // 30 KB of requests, which fit the input pipe, ask for 250 KB of answers,
    // which do not fit the output pipe.
    std::string requests;
    for (int i = 0; i < 2000; ++i) requests += "{\"cmd\":\"list\"}\n";
    client.send(requests);
    waitUntilStill(session);
    client.process().sendSignal(signalNumber);
    EXPECT_EQ(130, client.process().wait(5000)) << signalNumber;
    EXPECT_EQ("", session.audit());
    EXPECT_EQ(1u, session.countLogLines("DisableVideoOutput()"));
  }
}

TEST(Signals, EndTheConsoleWhoseReaderStoppedReading) {
  for (int signalNumber : {SIGINT, SIGTERM}) {
    SimSession session(kCard);
    ChildProcess console({corvaneBinary(), "run", "0", "hd"}, session.environment());
    ASSERT_TRUE(console.readUntil("patch> "));
    // 12 KB typed, 180 KB of lines and prompts in answer.
    std::string typed;
    for (int i = 0; i < 3000; ++i) typed += "red\n";
    console.write(typed);
    waitUntilStill(session);
    console.sendSignal(signalNumber);
    EXPECT_EQ(130, console.wait(5000)) << signalNumber;
    EXPECT_EQ("", session.audit());
    EXPECT_EQ(1u, session.countLogLines("DisableVideoOutput()"));
  }
}

// Waits, at most ten seconds, until the program has released the frame:
// with a slow DisableVideoOutput, it is then in the middle of its release.
void waitForTheFramesRelease(const SimSession& session) {
  for (int tries = 0; tries < 200; ++tries) {
    for (const std::string& line : linesWith(session.logLines(), "Release() = 0")) {
      if (line.rfind("Frame#", 0) == 0) return;
    }
    usleep(50000);
  }
  ADD_FAILURE() << "the frame was never released";
}

TEST(Signals, DuringTheFinalReleaseEndWith130) {
  const std::string slowCard = std::string(kCard) + "disable_delay_ms = 1500\n";
  for (bool quit : {true, false}) {
    SCOPED_TRACE(quit ? "quit" : "end of input");
    SimSession session(slowCard);
    ServeClient client(session);
    EXPECT_EQ("{\"ok\":true,\"width\":1920,\"height\":1080}",
              client.ask("{\"cmd\":\"open\"}"));
    if (quit) client.send("{\"cmd\":\"quit\"}\n");
    client.process().closeInput();
    waitForTheFramesRelease(session);
    client.process().sendSignal(SIGTERM);
    EXPECT_EQ(130, client.process().wait());
    EXPECT_EQ("", session.audit());
    EXPECT_EQ(1u, session.countLogLines("DisableVideoOutput()"));
  }
  SimSession session(slowCard);
  ChildProcess console({corvaneBinary(), "run", "0"}, session.environment());
  ASSERT_TRUE(console.readUntil("patch> "));
  console.write("quit\n");
  waitForTheFramesRelease(session);
  console.sendSignal(SIGINT);
  EXPECT_EQ(130, console.wait());
  EXPECT_EQ("", session.audit());
}

TEST(Signals, EndACheckWhileAPictureIsHeld) {
  for (int signalNumber : {SIGTERM, SIGINT}) {
    SimSession session(kCard);
    ChildProcess check({corvaneBinary(), "check", "0", "hd", "--seconds", "10"},
                       session.environment());
    ASSERT_TRUE(check.readUntil("HDR\n"));
    // The first picture is on the card (at most five seconds).
    for (int tries = 0; tries < 500 && session.countLogLines("DisplayVideoFrameSync(") == 0;
         ++tries) {
      usleep(10000);
    }
    check.sendSignal(signalNumber);
    EXPECT_EQ(130, check.wait(5000)) << signalNumber;
    EXPECT_EQ("", session.audit());
    EXPECT_EQ(1u, session.countLogLines("DisableVideoOutput()"));
  }
}

TEST(Signals, DuringPaintingNoAnswerIsWritten) {
  SimSession session(kCard);
  ServeClient client(session);
  EXPECT_EQ("{\"ok\":true,\"width\":4096,\"height\":2160}",
            client.ask("{\"cmd\":\"open\",\"mode\":\"4k\"}"));
  // Many 4K paints queued; the signal lands while they run.
  std::string burst;
  for (int i = 0; i < 200; ++i) burst += "{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3}\n";
  client.send(burst);
  client.process().readLine();  // at least one paint has been answered
  client.process().sendSignal(SIGTERM);
  EXPECT_EQ(130, client.process().wait());
  std::string rest = client.process().readAll();
  size_t answered = 1 + std::count(rest.begin(), rest.end(), '\n');
  // No answer is cut short, and only the paint under way when the signal
  // came can have been shown without its answer.
  EXPECT_TRUE(rest.empty() || rest.back() == '\n');
  size_t shown = session.countLogLines("DisplayVideoFrameSync");
  EXPECT_GE(shown, answered);
  EXPECT_LE(shown, answered + 1);
  EXPECT_LT(shown, 200u);
  EXPECT_EQ("", session.audit());
}

TEST(Signals, EndTheConsoleWithTheCardReleased) {
  for (int signalNumber : {SIGINT, SIGTERM}) {
    SimSession session(kCard);
    ChildProcess console({corvaneBinary(), "run", "0", "4k"}, session.environment());
    ASSERT_TRUE(console.readUntil("patch> "));
    console.write("red\n");
    ASSERT_TRUE(console.readUntil("patch> "));
    console.sendSignal(signalNumber);
    EXPECT_EQ(130, console.wait()) << signalNumber;
    EXPECT_EQ("", console.readAll());
    EXPECT_EQ("", session.audit());
    EXPECT_EQ(1u, session.countLogLines("DisableVideoOutput()"));
  }
}

}  // namespace
