// SIGINT and SIGTERM end `corvane pgen` with status 130 and the card
// released, whatever it is doing; and a host that does not read its replies
// cannot keep the card from others.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>

#include "net/pgen/literal_commands.h"
#include "net/pgen/pgen_child.h"

namespace {

const char kCard[] = "[device]\nname = A\n";

void expectEndedWith130(PgenChild* pgen, const SimSession& session, int signalNumber) {
  pgen->process().sendSignal(signalNumber);
  EXPECT_EQ(130, pgen->process().wait(5000)) << signalNumber;
  EXPECT_EQ("", session.audit());
  EXPECT_EQ(1u, session.countLogLines("DisableVideoOutput()"));
}

// Sends IS_ALIVE commands without reading a reply, so that corvane's
// replies fill both sides' buffers: until the connection takes nothing for
// `stallMs`, or (with 0) until corvane drops it. Bounded by 20 seconds.
void floodWithoutReading(LoopbackSocket* host, int stallMs) {
  const int small = 4096;
  setsockopt(host->fd(), SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
  std::string burst;
  for (int i = 0; i < 6000; ++i) burst += literal::kIsAlive;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  int stalled = 0;
  while (std::chrono::steady_clock::now() < deadline && (stallMs == 0 || stalled < stallMs)) {
    const ssize_t n = ::send(host->fd(), burst.data(), burst.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return;  // dropped
    stalled = n > 0 ? 0 : stalled + 10;
    if (n <= 0) usleep(10000);
  }
}

TEST(PgenSignals, EndItWhileListening) {
  for (int signalNumber : {SIGINT, SIGTERM}) {
    SimSession session(kCard);
    PgenChild pgen(session);
    expectEndedWith130(&pgen, session, signalNumber);
  }
}

TEST(PgenSignals, EndItWhileAHostIsHalfWayThroughACommand) {
  for (int signalNumber : {SIGINT, SIGTERM}) {
    SimSession session(kCard);
    PgenChild pgen(session);
    LoopbackSocket host = pgen.connect();
    host.send("RGB=RECTANGLE;607,341;100;128,");
    ASSERT_TRUE(pgen.process().readUntil("connection from 127.0.0.1:"));
    expectEndedWith130(&pgen, session, signalNumber);
  }
}

TEST(PgenSignals, EndItWhilePainting) {
  SimSession session(kCard);
  PgenChild pgen(session, {"0", "4k"});
  LoopbackSocket host = pgen.connect();
  std::string burst;
  for (int i = 0; i < 200; ++i) burst += literal::kHcfrPatch;
  host.send(burst);
  EXPECT_EQ("OK\x02\r", host.receiveUntil("OK\x02\r").substr(0, 4));
  expectEndedWith130(&pgen, session, SIGTERM);
  EXPECT_LT(session.countLogLines("DisplayVideoFrameSync"), 201u);
}

TEST(PgenSignals, EndItWhileAReplyWaitsForAHostThatDoesNotRead) {
  SimSession session(kCard);
  PgenChild pgen(session);
  LoopbackSocket host = pgen.connect();
  floodWithoutReading(&host, 100);
  expectEndedWith130(&pgen, session, SIGINT);
}

TEST(PgenServer, DropsAHostThatDoesNotReadItsReplies) {
  SimSession session(kCard);
  PgenChild pgen(session);
  LoopbackSocket host = pgen.connect();
  floodWithoutReading(&host, 0);
  EXPECT_TRUE(pgen.process().readUntil("ended: the host did not read its reply within 1000 ms"));
  LoopbackSocket next = pgen.connect();
  EXPECT_EQ("ALIVE\x02\r", exchange(&next, literal::kIsAlive, "ALIVE\x02\r"));
  expectEndedWith130(&pgen, session, SIGTERM);
}

}  // namespace
