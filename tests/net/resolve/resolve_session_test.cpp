// `corvane resolve` end to end: the real program against the simulated
// card, and the test as the calibration host, listening on 127.0.0.1 at a
// port the system picks; and the HDR signalling of its command line.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "net/resolve/literal_messages.h"
#include "net/resolve/session.h"
#include "support/frame_checks.h"
#include "support/frames.h"
#include "support/hdr10_metadata.h"
#include "support/resolve_child.h"
#include "support/resolve_frame.h"
#include "support/windows.h"

namespace {

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
  // Starts corvane resolve against a setup of its own, with capture on.
  void start(const std::string& mode = "hd", bool listening = true, int busyDescriptors = 0) {
    corvane.reset();
    session = std::make_unique<SimSession>(kCard, true);
    corvane = std::make_unique<ResolveChild>(*session, mode, listening, busyDescriptors);
  }

  size_t shown() const { return session->frames().size(); }

  // Reads what corvane printed until it has been quiet for a while.
  std::vector<std::string> drain() {
    std::vector<std::string> lines;
    for (std::string line; (line = corvane->readLine(500)) != "<timeout>";) {
      lines.push_back(line);
    }
    return lines;
  }

  std::unique_ptr<FrameFile> lastFrame() const {
    return std::make_unique<FrameFile>(session->frames().back());
  }

  std::unique_ptr<SimSession> session;
  std::unique_ptr<ResolveChild> corvane;
};

TEST_F(ResolveSession, TheHostsLiteralMessagesGiveTheirFramesPixelForPixel) {
  start();
  corvane->acceptCorvane();
  // Before any patch: a full-field black frame.
  ASSERT_EQ(1u, shown());
  expectPatchFrame(lastFrame()->frame(), kHdFull, 0, 0);

  // Each grey message: its window, its level and its background's.
  const struct {
    const char* xml;
    PatchRect window;
    unsigned patch, background;
  } messages[] = {
      {literal::kGreyCm, kResolveWindow, 512, 212},
      {literal::kGreyLs, kResolveWindow, 512, 0},
      {literal::kBlackCm, kHdFull, 0, 0},
      {literal::kFullGreyNoDeclaration, kHdFull, 512, 0},
      {literal::kWhiteVideoCm, kResolveWindow, 940, 226},
  };
  const auto grey = [](unsigned level) {
    const std::string code = std::to_string(level);
    return code + " " + code + " " + code;
  };
  for (const auto& m : messages) {
    const std::string line = patchLine(grey(m.patch), m.window, grey(m.background));
    SCOPED_TRACE(line);
    ASSERT_EQ(line, corvane->tell(resolveFrame(m.xml)));
    expectPatchFrame(lastFrame()->frame(), m.window, r210Gray(m.patch), r210Gray(m.background));
  }
  EXPECT_EQ(6u, shown());
  EXPECT_EQ(0u, session->countLogLines("DisableVideoOutput()"));
  corvane->endWithSignal();
}

TEST_F(ResolveSession, MessagesSplitAtEveryByteOrPackedTogether) {
  start();
  corvane->acceptCorvane();
  const std::string grey = resolveFrame(literal::kGreyCm);
  for (char byte : grey) ASSERT_TRUE(corvane->host.send(std::string(1, byte)));
  EXPECT_EQ(patchLine("512 512 512", kResolveWindow, "212 212 212"), corvane->readLine());
  // Three messages in one write, the last cut short, then its rest.
  const std::string three =
      resolveFrame(literal::kBlackCm) + resolveFrame(literal::kWhiteVideoCm) + grey;
  ASSERT_TRUE(corvane->host.send(three.substr(0, three.size() - 10)));
  EXPECT_EQ(patchLine("0 0 0", kHdFull, "0 0 0"), corvane->readLine());
  EXPECT_EQ(patchLine("940 940 940", kResolveWindow, "226 226 226"), corvane->readLine());
  EXPECT_EQ("<timeout>", corvane->readLine(300));
  ASSERT_TRUE(corvane->host.send(three.substr(three.size() - 10)));
  EXPECT_EQ(patchLine("512 512 512", kResolveWindow, "212 212 212"), corvane->readLine());
  corvane->endWithSignal();
}

TEST_F(ResolveSession, SessionsEndAndCorvaneConnectsAgainWithTheCardHeld) {
  start();
  corvane->acceptCorvane();
  EXPECT_THAT(corvane->tell(resolveFrame(literal::kWhiteVideoCm)), StartsWith("patch 940"));
  EXPECT_EQ("connection ended: end of session; connecting again in 1 s",
            corvane->tell(kEndOfSession + resolveFrame(literal::kBlackCm)));
  EXPECT_TRUE(corvane->host.closedByPeer());  // nothing after the marker is read
  corvane->acceptCorvane();
  // The picture stayed: no frame was shown between the two connections.
  EXPECT_EQ(2u, shown());
  EXPECT_EQ(patchLine("0 0 0", kHdFull, "0 0 0"), corvane->tell(resolveFrame(literal::kBlackCm)));
  corvane->host.close();
  EXPECT_EQ("connection ended: the host closed the connection; connecting again in 1 s",
            corvane->readLine());
  corvane->acceptCorvane();
  EXPECT_EQ(0u, session->countLogLines("DisableVideoOutput()"));
  EXPECT_EQ(1u, session->countLogLines("EnableVideoOutput("));
  corvane->endWithSignal();
}

TEST_F(ResolveSession, LengthsOfZeroOrAbove64KiBEndTheConnection) {
  start();
  corvane->acceptCorvane();
  // Connections that end without a message: the pause grows.
  EXPECT_EQ("connection ended: protocol error: message length 0 is not 1 to 65536; "
            "connecting again in 1 s",
            corvane->tell(std::string(4, '\0') + resolveFrame(literal::kBlackCm)));
  corvane->acceptCorvane();
  EXPECT_EQ("connection ended: protocol error: message length 65537 is not 1 to 65536; "
            "connecting again in 2 s",
            corvane->tell(std::string("\x00\x01\x00\x01", 4) + std::string(100, 'x')));
  corvane->acceptCorvane();
  EXPECT_EQ(1u, shown());  // only the black frame
  corvane->endWithSignal();
}

TEST_F(ResolveSession, MessagesThatCannotBeReadLeaveThePictureAndTheConnection) {
  start();
  corvane->acceptCorvane();
  EXPECT_THAT(corvane->tell(resolveFrame(literal::kWhiteVideoCm)), StartsWith("patch 940"));
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
  for (const auto& b : bad) EXPECT_THAT(corvane->tell(resolveFrame(b.xml)), StartsWith(b.line));
  EXPECT_EQ(2u, shown());  // black, white, and nothing for the five
  EXPECT_THAT(corvane->tell(resolveFrame(literal::kBlackCm)), StartsWith("patch 0 0 0"));
  corvane->endWithSignal();
}

TEST_F(ResolveSession, CodesOf8To16BitsBecomeTenBitCodes) {
  start();
  corvane->acceptCorvane();
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
    const std::string line = corvane->tell(resolveFrame(greyMessage(d.level, d.background,
                                                     "x='0' y='0' cx='0.5' cy='1'", d.bits)));
    EXPECT_EQ("patch " + std::to_string(d.patch10) + " " + std::to_string(d.patch10) + " " +
                  std::to_string(d.patch10) + " window 960x1080 at (0,0) on " +
                  std::to_string(d.background10) + " " + std::to_string(d.background10) + " " +
                  std::to_string(d.background10),
              line);
    expectPatchFrame(lastFrame()->frame(), {0, 0, 960, 1080}, r210Gray(d.patch10),
                     r210Gray(d.background10));
  }
  corvane->endWithSignal();
}

TEST_F(ResolveSession, GeometryAtTheEdgesOutsideEmptyInPixelsAndSeveralRectangles) {
  start();
  corvane->acceptCorvane();
  // Past the bottom-right corner: clamped.
  EXPECT_EQ("patch 100 100 100 window 192x108 at (1728,972) on 1 1 1",
            corvane->tell(resolveFrame(greyMessage(100, 1, "x='0.9' y='0.9' cx='0.5' cy='0.5'"))));
  expectPatchFrame(lastFrame()->frame(), {1728, 972, 192, 108}, r210Gray(100), r210Gray(1));
  // Wholly outside, and empty: only the background.
  EXPECT_EQ("patch 100 100 100 window 0x0 at (0,0) on 2 2 2",
            corvane->tell(
                resolveFrame(greyMessage(100, 2, "x='-0.5' y='-0.5' cx='0.25' cy='0.25'"))));
  expectPatchFrame(lastFrame()->frame(), {0, 0, 0, 0}, 0, r210Gray(2));
  EXPECT_EQ("patch 100 100 100 window 0x0 at (960,540) on 3 3 3",
            corvane->tell(resolveFrame(greyMessage(100, 3, "x='0.5' y='0.5' cx='0' cy='0.25'"))));
  // Pixels, as one host sends them.
  EXPECT_EQ(patchLine("200 200 200", kHdFull, "0 0 0"),
            corvane->tell(resolveFrame(greyMessage(200, 0, "x='0.0000' y='0.0000' cx='1920.0000' "
                                            "cy='1080.0000'"))));
  EXPECT_EQ("patch 200 200 200 window 100x50 at (10,20) on 0 0 0",
            corvane->tell(resolveFrame(greyMessage(200, 0, "x='10' y='20' cx='100' cy='50'"))));
  expectPatchFrame(lastFrame()->frame(), {10, 20, 100, 50}, r210Gray(200), 0);
  // Rectangles in document order over black, the later over the earlier.
  EXPECT_EQ(
      "patch 1020 0 0 window 960x1080 at (0,0); 0 1020 0 window 960x540 at (480,270) on 0 0 0",
      corvane->tell(resolveFrame("<calibration><shapes>"
                  "<rectangle><color red='255' green='0' blue='0'/>"
                  "<geometry x='0' y='0' cx='0.5' cy='1'/></rectangle>"
                  "<rectangle><color red='0' green='255' blue='0'/>"
                  "<geometry x='0.25' y='0.25' cx='0.5' cy='0.5'/></rectangle>"
                  "</shapes></calibration>")));
  expectRectsFrame(lastFrame()->frame(), 0,
                   {{{0, 0, 960, 1080}, r210Word(1020, 0, 0)},
                    {{480, 270, 960, 540}, r210Word(0, 1020, 0)}});
  corvane->endWithSignal();
}

TEST_F(ResolveSession, WaitsOnceForAHostThatIsNotListeningYet) {
  start("hd", false);
  EXPECT_EQ("waiting for " + corvane->address(), corvane->readLine());
  // It tries again every second, without saying so again.
  EXPECT_EQ("<timeout>", corvane->readLine(2500));
  EXPECT_EQ(1u, shown());
  ASSERT_TRUE(corvane->listener().listen());
  corvane->acceptCorvane();
  EXPECT_THAT(corvane->tell(resolveFrame(literal::kGreyCm)), StartsWith("patch 512"));
  corvane->endWithSignal();
}

// The host's name is looked up before every attempt (in-process, with a
// stand-in for the system's lookup): a name not known at first, as when the
// calibration computer is still off, is waited for, then connected to.
int gLookups = 0;
std::string gNameAsked;

TEST(ResolveConnect, ANameThatResolvesOnlyAfterAWhileIsWaitedFor) {
  LoopbackSocket laptop = LoopbackSocket::listeningTcp();
  const LookUpHost knownOnTheThirdTry = [](const std::string& name, uint16_t port,
                                           std::vector<SocketAddress>* addresses) {
    gNameAsked = name;
    if (++gLookups < 3) return failure(FailureCode::kFailed, "cannot find host '" + name + "'");
    return lookUpHostAtSafePoint("127.0.0.1", port, addresses);
  };
  const int fd = connectToHost({"calibration-laptop", laptop.port()}, knownOnTheThirdTry);
  EXPECT_GE(fd, 0);
  EXPECT_EQ(3, gLookups);
  EXPECT_EQ("calibration-laptop", gNameAsked);
  EXPECT_TRUE(laptop.accept().ok());
  close(fd);
}

// Hosts that pause, vanish, flap or misbehave never stop corvane serving:
// after each, a fresh host is served, and the card is released at the end.
TEST_F(ResolveSession, KeepsServingWhateverAHostDoes) {
  const std::string grey = resolveFrame(literal::kGreyCm);
  const std::string dropped = " lines not shown: standard output was not taking them)";
  const struct {
    const char* name;
    std::function<void()> host;
  } rows[] = {
      {"its messages flood in while nobody reads corvane's output",
       [&] {
         start();
         corvane->acceptCorvane();
         // 2000 lines of 55 bytes: more than a pipe holds.
         std::string flood;
         for (int i = 0; i < 2000; ++i) flood += resolveFrame("<calibration/>");
         ASSERT_TRUE(corvane->host.send(flood + kEndOfSession));
         EXPECT_TRUE(corvane->host.closedByPeer());  // it read on to the end marker
         std::string read;
         for (const std::string& line : drain()) read += line + "\n";
         EXPECT_TRUE(read.find(dropped) != std::string::npos || corvane->readUntil(dropped));
       }},
      {"it pauses between messages, then sends half a message and goes silent",
       [&] {
         start();
         corvane->acceptCorvane();
         EXPECT_THAT(corvane->tell(grey), StartsWith("patch 512"));
         usleep(5500 * 1000);  // longer than a message may take: no limit here
         EXPECT_EQ("connection ended: protocol error: a message did not end within 5 seconds; "
                   "connecting again in 1 s",
                   corvane->tell(grey.substr(0, 100)));
       }},
      {"it accepts and closes at once, again and again",
       [&] {
         start();
         // Without a pause corvane would connect thousands of times.
         int connections = 0;
         const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(3500);
         while (std::chrono::steady_clock::now() < until) {
           if (corvane->listener().accept(100).ok()) ++connections;
         }
         EXPECT_LE(connections, 3);  // at 0, 1 and 3 s
         EXPECT_GE(connections, 2);
         EXPECT_EQ("connection ended: the host closed the connection; connecting again in 2 s",
                   drain().at(3));
       }},
      {"corvane starts with 1,100 open descriptors",
       [&] {
         start("hd", true, 1100);
         const int open = openDescriptors(corvane->pid());
         EXPECT_TRUE(open < 0 || open >= 1100) << open;  // -1: no /proc to ask
       }},
      {"its text has line breaks and a long value",
       [&] {
         start();
         corvane->acceptCorvane();
         EXPECT_EQ("message ignored: <geometry> x '1\\x0Aconnected to forged' is not a finite "
                   "number",
                   corvane->tell(resolveFrame(greyMessage(
                       1, 0, "x='1&#10;connected to forged&#13;' y='0' cx='1' cy='1'"))));
         EXPECT_EQ("message ignored: <geometry> y '" + std::string(40, '9') +
                       "...' is not a finite number",
                   corvane->tell(resolveFrame(greyMessage(
                       1, 0, ("x='0' y='" + std::string(60000, '9') + "' cx='1' cy='1'").c_str()))));
       }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    row.host();
    corvane->host.close();
    corvane->acceptCorvane(false);
    ASSERT_TRUE(corvane->host.send(grey));
    EXPECT_TRUE(corvane->readUntil(patchLine("512 512 512", kResolveWindow, "212 212 212")));
    corvane->endWithSignal();
  }
}

// Started with standard input, output and error closed, as some
// supervisors do: its lines go nowhere, none of them to the host's socket.
TEST(ResolveStart, WithItsStandardDescriptorsClosedWritesNothingToTheHost) {
  SimSession session(kCard, true);
  LoopbackSocket listener = LoopbackSocket::listeningTcp();
  ChildProcess corvane({"/bin/sh", "-c", "exec \"$0\" \"$@\" <&- >&- 2>&-", corvaneBinary(),
                        "resolve", "127.0.0.1:" + std::to_string(listener.port())},
                       session.environment());
  LoopbackSocket host = listener.accept();
  ASSERT_TRUE(host.send(resolveFrame(literal::kGreyCm)));
  for (int tries = 0; tries < 500 && session.frames().size() < 2; ++tries) usleep(10000);
  EXPECT_EQ(2u, session.frames().size());  // the black frame, the patch
  EXPECT_EQ("", host.receive(500));
#ifdef __linux__
  for (const char* fd : {"0", "1", "2"}) {  // each was opened on /dev/null
    char target[64] = {};
    const std::string link = "/proc/" + std::to_string(corvane.pid()) + "/fd/" + fd;
    EXPECT_LT(0, readlink(link.c_str(), target, sizeof target - 1));
    EXPECT_STREQ("/dev/null", target) << fd;
  }
#endif
  corvane.sendSignal(SIGTERM);
  EXPECT_EQ(130, corvane.wait());
  EXPECT_EQ("", session.audit());
}

// HDR signalling from resolve's command line.
TEST(ResolveHdr, SignalsBeforeTheBlackFrameAndKeepsItForEveryPatch) {
  SimSession session(kCard, true);
  LoopbackSocket host = LoopbackSocket::listeningTcp();
  ASSERT_TRUE(host.ok());
  const std::string target = "127.0.0.1:" + std::to_string(host.port());
  // The options before, between and after the target, device and mode.
  WayIn resolve(session, {"resolve", "--hdr", "pq", target, "0", "--max-luminance", "4000",
                          "hd@50", "--primaries", "p3d65"});
  EXPECT_EQ("Device held: hd@50 1920x1080", resolve.readLine());
  EXPECT_EQ("signalling: pq colorspace rec2020 primaries p3d65 max-luminance 4000 "
            "min-luminance 0.0001 max-cll 1000 max-fall 400",
            resolve.readLine());
  LoopbackSocket connection = host.accept();
  ASSERT_TRUE(connection.ok());
  EXPECT_EQ("connected to " + target, resolve.readLine());
  ASSERT_TRUE(connection.send(
      resolveFrame(greyMessage(940, 64, "x='0.25' y='0.25' cx='0.5' cy='0.5'"))));
  EXPECT_EQ("patch 940 940 940 window 960x540 at (480,270) on 64 64 64", resolve.readLine());
  resolve.endWithSignal();

  // The black frame and the patch, both signalled.
  const std::vector<std::string> frames = session.frames();
  ASSERT_EQ(2u, frames.size());
  const CarriedMetadata expected = hdr10P3({4000, 0.0001, 1000, 400});
  for (const std::string& frame : frames) EXPECT_EQ(expected, frameFileMetadata(frame)) << frame;
  // Nothing was shown before the signalling was set.
  const std::vector<std::string> lines = session.logLines();
  size_t flagged = lines.size(), firstShown = lines.size();
  for (size_t i = 0; i < lines.size(); ++i) {
    if (flagged == lines.size() && lines[i].find("SetFlags(2)") != std::string::npos) flagged = i;
    if (firstShown == lines.size() && lines[i].find("DisplayVideoFrameSync") != std::string::npos) {
      firstShown = i;
    }
  }
  EXPECT_LT(flagged, firstShown);
}

TEST(ResolveHdr, ACardThatCannotCarryItEndsWithStatusOne) {
  SimSession session(std::string(kCard) + "hdr = no\n", true);
  std::string out;
  EXPECT_EQ(1, runCorvane(session.environment(),
                          {"resolve", "127.0.0.1:1", "0", "hd", "--hdr", "hlg"}, &out));
  EXPECT_EQ("Device held: hd 1920x1080\n"
            "Could not set the signalling: device cannot carry HDR metadata (unsupported)\n",
            out);
  EXPECT_TRUE(session.frames().empty());
  EXPECT_EQ(1u, session.countLogLines("DisableVideoOutput"));
  EXPECT_EQ("", session.audit());
}

}  // namespace
