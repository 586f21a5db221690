// `corvane resolve` end to end: the real program against the simulated
// card, and the test as the calibration host, listening on 127.0.0.1 at a
// port the system picks.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>
#include <memory>
#include <string>

#include "net/resolve/literal_messages.h"
#include "support/child_process.h"
#include "support/frame_checks.h"
#include "support/frames.h"
#include "support/loopback.h"
#include "support/resolve_frame.h"
#include "support/sim_session.h"

namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

const char kCard[] = "[device]\nname = A\n";

const std::string kEndOfSession("\xFF\xFF\xFF\xFF", 4);

// A 10-bit grey window of the given geometry on a background.
std::string greyMessage(int level, int background, const char* geometry, int bits = 10) {
  const std::string v = std::to_string(level), b = std::to_string(background),
                    depth = std::to_string(bits);
  return "<calibration><color red='" + v + "' green='" + v + "' blue='" + v + "' bits='" +
         depth + "'/><background red='" + b + "' green='" + b + "' blue='" + b + "' bits='" +
         depth + "'/><geometry " + geometry + "/></calibration>";
}

class ResolveSession : public ::testing::Test {
 protected:
  // Starts corvane resolve against a listener of the test's (listening or
  // only bound), with capture on, and reads its "Device held" line.
  void start(const std::string& mode = "hd", bool listening = true,
             const std::string& cards = kCard) {
    session = std::make_unique<SimSession>(cards, true);
    listener = listening ? LoopbackSocket::listeningTcp() : LoopbackSocket::boundTcp();
    ASSERT_TRUE(listener.ok());
    address = "127.0.0.1:" + std::to_string(listener.port());
    corvane = std::make_unique<ChildProcess>(
        std::vector<std::string>{corvaneBinary(), "resolve", address, "0", mode},
        session->environment());
    ASSERT_THAT(corvane->readLine(), StartsWith("Device held: " + mode + " "));
  }

  // Accepts corvane's connection and reads its "connected" line.
  void acceptCorvane() {
    host = listener.accept();
    ASSERT_TRUE(host.ok());
    ASSERT_EQ("connected to " + address, corvane->readLine());
  }

  // Sends bytes as the host and returns corvane's next line.
  std::string tell(const std::string& bytes) {
    EXPECT_TRUE(host.send(bytes));
    return corvane->readLine();
  }

  // Ends corvane with SIGTERM: 130, and every reference released once.
  void finish() {
    corvane->sendSignal(SIGTERM);
    EXPECT_EQ(130, corvane->wait());
    EXPECT_EQ("", session->audit());
    EXPECT_EQ(1u, session->countLogLines("DisableVideoOutput()"));
  }

  size_t shown() const { return session->frames().size(); }

  std::unique_ptr<FrameFile> lastFrame() const {
    return std::make_unique<FrameFile>(session->frames().back());
  }

  std::unique_ptr<SimSession> session;
  LoopbackSocket listener;
  std::string address;
  std::unique_ptr<ChildProcess> corvane;
  LoopbackSocket host;
};

TEST_F(ResolveSession, TheHostsLiteralMessagesGiveTheirFramesPixelForPixel) {
  start();
  acceptCorvane();
  // Before any patch: a full-field black frame.
  ASSERT_EQ(1u, shown());
  expectPatchFrame(lastFrame()->frame(), {0, 0, 1920, 1080}, 0, 0);

  const PatchRect window = {810, 390, 300, 300};
  const PatchRect full = {0, 0, 1920, 1080};
  const struct {
    const char* xml;
    const char* line;
    PatchRect rect;
    unsigned patch, background;
  } messages[] = {
      {literal::kGreyCm, "patch 512 512 512 window 300x300 at (810,390) on 212 212 212", window,
       512, 212},
      {literal::kGreyLs, "patch 512 512 512 window 300x300 at (810,390) on 0 0 0", window, 512,
       0},
      {literal::kBlackCm, "patch 0 0 0 window 1920x1080 at (0,0) on 0 0 0", full, 0, 0},
      {literal::kFullGreyNoDeclaration, "patch 512 512 512 window 1920x1080 at (0,0) on 0 0 0",
       full, 512, 0},
      {literal::kWhiteVideoCm, "patch 940 940 940 window 300x300 at (810,390) on 226 226 226",
       window, 940, 226},
  };
  for (const auto& m : messages) {
    SCOPED_TRACE(m.line);
    ASSERT_EQ(m.line, tell(resolveFrame(m.xml)));
    expectPatchFrame(lastFrame()->frame(), m.rect, r210Gray(m.patch), r210Gray(m.background));
  }
  EXPECT_EQ(6u, shown());
  EXPECT_EQ(0u, session->countLogLines("DisableVideoOutput()"));
  finish();
}

TEST_F(ResolveSession, MessagesSplitAtEveryByteOrPackedTogether) {
  start();
  acceptCorvane();
  const std::string grey = resolveFrame(literal::kGreyCm);
  for (char byte : grey) ASSERT_TRUE(host.send(std::string(1, byte)));
  EXPECT_EQ("patch 512 512 512 window 300x300 at (810,390) on 212 212 212", corvane->readLine());
  // Three messages in one write, the last cut short, then its rest.
  const std::string three = resolveFrame(literal::kBlackCm) + resolveFrame(literal::kWhiteVideoCm) + grey;
  ASSERT_TRUE(host.send(three.substr(0, three.size() - 10)));
  EXPECT_EQ("patch 0 0 0 window 1920x1080 at (0,0) on 0 0 0", corvane->readLine());
  EXPECT_EQ("patch 940 940 940 window 300x300 at (810,390) on 226 226 226", corvane->readLine());
  EXPECT_EQ("<timeout>", corvane->readLine(300));
  ASSERT_TRUE(host.send(three.substr(three.size() - 10)));
  EXPECT_EQ("patch 512 512 512 window 300x300 at (810,390) on 212 212 212", corvane->readLine());
  finish();
}

TEST_F(ResolveSession, SessionsEndAndCorvaneConnectsAgainWithTheCardHeld) {
  start();
  acceptCorvane();
  EXPECT_THAT(tell(resolveFrame(literal::kWhiteVideoCm)), StartsWith("patch 940"));
  EXPECT_EQ("connection ended: end of session", tell(kEndOfSession + resolveFrame(literal::kBlackCm)));
  EXPECT_TRUE(host.closedByPeer());  // nothing after the marker is read
  acceptCorvane();
  // The picture stayed: no frame was shown between the two connections.
  EXPECT_EQ(2u, shown());
  EXPECT_EQ("patch 0 0 0 window 1920x1080 at (0,0) on 0 0 0", tell(resolveFrame(literal::kBlackCm)));
  host.close();
  EXPECT_EQ("connection ended: the host closed the connection", corvane->readLine());
  acceptCorvane();
  EXPECT_EQ(0u, session->countLogLines("DisableVideoOutput()"));
  EXPECT_EQ(1u, session->countLogLines("EnableVideoOutput("));
  finish();
}

TEST_F(ResolveSession, LengthsOfZeroOrAbove64KiBEndTheConnection) {
  start();
  acceptCorvane();
  EXPECT_EQ("connection ended: protocol error: message length 0 is not 1 to 65536",
            tell(std::string(4, '\0') + resolveFrame(literal::kBlackCm)));
  acceptCorvane();
  EXPECT_EQ("connection ended: protocol error: message length 65537 is not 1 to 65536",
            tell(std::string("\x00\x01\x00\x01", 4) + std::string(100, 'x')));
  acceptCorvane();
  EXPECT_EQ(1u, shown());  // only the black frame
  finish();
}

TEST_F(ResolveSession, MessagesThatCannotBeReadLeaveThePictureAndTheConnection) {
  start();
  acceptCorvane();
  EXPECT_THAT(tell(resolveFrame(literal::kWhiteVideoCm)), StartsWith("patch 940"));
  const struct {
    std::string xml;
    const char* line;
  } bad[] = {
      {"<calibration><color red='1'", "message ignored: not well-formed XML: "},
      {std::string("\0\x01\x02\xff", 4), "message ignored: not well-formed XML: "},
      {"<calibration><color red='1' green='1' blue='1'/></calibration>",
       "message ignored: <calibration> has a <color> but no <geometry>"},
      {greyMessage(512, 64, "x='nan' y='0' cx='1' cy='1'"),
       "message ignored: <geometry> x 'nan' is not a finite number"},
      {greyMessage(1024, 64, "x='0' y='0' cx='1' cy='1'"),
       "message ignored: <color> red '1024' is not a code from 0 to 1023 at 10 bits"},
  };
  for (const auto& b : bad) EXPECT_THAT(tell(resolveFrame(b.xml)), StartsWith(b.line));
  EXPECT_EQ(2u, shown());  // black, white, and nothing for the five
  EXPECT_THAT(tell(resolveFrame(literal::kBlackCm)), StartsWith("patch 0 0 0"));
  finish();
}

TEST_F(ResolveSession, CodesOf8To16BitsBecomeTenBitCodes) {
  start();
  acceptCorvane();
  const struct {
    int level, background, bits;
    unsigned patch10, background10;
  } depths[] = {
      {235, 16, 8, 940, 64}, {1023, 64, 10, 1023, 64}, {4095, 2048, 12, 1023, 512},
      {32768, 65535, 16, 512, 1023}, {2, 1, 12, 1, 0},
  };
  for (const auto& d : depths) {
    SCOPED_TRACE(d.bits);
    // The window covers the frame's left half, the background the rest.
    const std::string line = tell(resolveFrame(greyMessage(d.level, d.background,
                                                     "x='0' y='0' cx='0.5' cy='1'", d.bits)));
    EXPECT_EQ("patch " + std::to_string(d.patch10) + " " + std::to_string(d.patch10) + " " +
                  std::to_string(d.patch10) + " window 960x1080 at (0,0) on " +
                  std::to_string(d.background10) + " " + std::to_string(d.background10) + " " +
                  std::to_string(d.background10),
              line);
    expectPatchFrame(lastFrame()->frame(), {0, 0, 960, 1080}, r210Gray(d.patch10),
                     r210Gray(d.background10));
  }
  finish();
}

TEST_F(ResolveSession, GeometryAtTheEdgesOutsideEmptyInPixelsAndSeveralRectangles) {
  start();
  acceptCorvane();
  // Past the bottom-right corner: clamped.
  EXPECT_EQ("patch 100 100 100 window 192x108 at (1728,972) on 1 1 1",
            tell(resolveFrame(greyMessage(100, 1, "x='0.9' y='0.9' cx='0.5' cy='0.5'"))));
  expectPatchFrame(lastFrame()->frame(), {1728, 972, 192, 108}, r210Gray(100), r210Gray(1));
  // Wholly outside, and empty: only the background.
  EXPECT_EQ("patch 100 100 100 window 0x0 at (0,0) on 2 2 2",
            tell(resolveFrame(greyMessage(100, 2, "x='-0.5' y='-0.5' cx='0.25' cy='0.25'"))));
  expectPatchFrame(lastFrame()->frame(), {0, 0, 0, 0}, 0, r210Gray(2));
  EXPECT_EQ("patch 100 100 100 window 0x0 at (960,540) on 3 3 3",
            tell(resolveFrame(greyMessage(100, 3, "x='0.5' y='0.5' cx='0' cy='0.25'"))));
  // Pixels, as one host sends them.
  EXPECT_EQ("patch 200 200 200 window 1920x1080 at (0,0) on 0 0 0",
            tell(resolveFrame(greyMessage(200, 0, "x='0.0000' y='0.0000' cx='1920.0000' "
                                            "cy='1080.0000'"))));
  EXPECT_EQ("patch 200 200 200 window 100x50 at (10,20) on 0 0 0",
            tell(resolveFrame(greyMessage(200, 0, "x='10' y='20' cx='100' cy='50'"))));
  expectPatchFrame(lastFrame()->frame(), {10, 20, 100, 50}, r210Gray(200), 0);
  // Rectangles in document order over black, the later over the earlier.
  EXPECT_EQ(
      "patch 1020 0 0 window 960x1080 at (0,0); 0 1020 0 window 960x540 at (480,270) on 0 0 0",
      tell(resolveFrame("<calibration><shapes>"
                  "<rectangle><color red='255' green='0' blue='0'/>"
                  "<geometry x='0' y='0' cx='0.5' cy='1'/></rectangle>"
                  "<rectangle><color red='0' green='255' blue='0'/>"
                  "<geometry x='0.25' y='0.25' cx='0.5' cy='0.5'/></rectangle>"
                  "</shapes></calibration>")));
  expectRectsFrame(lastFrame()->frame(), 0,
                   {{{0, 0, 960, 1080}, r210Word(1020, 0, 0)},
                    {{480, 270, 960, 540}, r210Word(0, 1020, 0)}});
  finish();
}

TEST_F(ResolveSession, WaitsOnceForAHostThatIsNotListeningYet) {
  start("hd", false);
  EXPECT_EQ("waiting for " + address, corvane->readLine());
  // It tries again every second, without saying so again.
  EXPECT_EQ("<timeout>", corvane->readLine(2500));
  EXPECT_EQ(1u, shown());
  ASSERT_TRUE(listener.listen());
  acceptCorvane();
  EXPECT_THAT(tell(resolveFrame(literal::kGreyCm)), StartsWith("patch 512"));
  finish();
}

TEST_F(ResolveSession, SignalsWhileWaitingReadingAndPaintingEndWith130) {
  // Waiting for a host that does not listen.
  start("hd", false);
  EXPECT_EQ("waiting for " + address, corvane->readLine());
  finish();
  // Connected, waiting for a message.
  start("uhd");
  acceptCorvane();
  corvane->sendSignal(SIGINT);
  EXPECT_EQ(130, corvane->wait());
  EXPECT_EQ("", session->audit());
  // Painting: many 4K messages at once, the signal after the first.
  start("4k");
  acceptCorvane();
  std::string burst;
  for (int i = 0; i < 100; ++i) burst += resolveFrame(literal::kGreyCm);
  ASSERT_TRUE(host.send(burst));
  EXPECT_THAT(corvane->readLine(), StartsWith("patch "));
  corvane->sendSignal(SIGTERM);
  EXPECT_EQ(130, corvane->wait());
  EXPECT_EQ("", session->audit());
  EXPECT_EQ(1u, session->countLogLines("DisableVideoOutput()"));
  EXPECT_LT(shown(), 101u);
}

TEST(ResolveCommandLine, AWrongTargetOrCardEndsWithStatusOne) {
  SimSession session(kCard);
  std::string out;
  EXPECT_EQ(1, runToEnd({corvaneBinary(), "resolve", "127.0.0.1:99999"}, session.environment(),
                        "", &out));
  EXPECT_EQ("corvane resolve: port '99999' is not a number from 1 to 65535\n", out);
  EXPECT_EQ(1, runToEnd({corvaneBinary(), "resolve", ":20002"}, session.environment(), "", &out));
  EXPECT_EQ("corvane resolve: no host in ':20002'\n", out);
  EXPECT_EQ(1, runToEnd({corvaneBinary(), "resolve", "[::1", "0"}, session.environment(), "",
                        &out));
  EXPECT_EQ("corvane resolve: '[::1' has no closing ']'\n", out);
  // The card is held as corvane run holds it, with the same messages.
  EXPECT_EQ(1, runToEnd({corvaneBinary(), "resolve", "127.0.0.1", "3"}, session.environment(),
                        "", &out));
  EXPECT_EQ("Could not open device 3: no device at that index (no_device)\n", out);
  EXPECT_EQ(1, runToEnd({corvaneBinary(), "resolve", "[::1]:20002", "0", "8k"},
                        session.environment(), "", &out));
  EXPECT_EQ("Could not open device 0: unknown resolution (bad_request)\n", out);
  EXPECT_EQ("", session.audit());
}

}  // namespace
