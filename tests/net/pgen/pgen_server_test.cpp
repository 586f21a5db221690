// `corvane pgen` end to end: a host on 127.0.0.1 sends the hosts' commands
// and reads the replies byte for byte; the frames the card showed are
// checked pixel for pixel.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <functional>
#include <memory>

#include "net/pgen/literal_commands.h"
#include "support/frame_checks.h"
#include "support/frames.h"
#include "support/pgen_child.h"
#include "support/windows.h"

namespace {

using ::testing::HasSubstr;

const char kCard[] = "[device]\nname = A\n";

#ifdef __linux__
// The lowest descriptor number process `pid` does not use.
int lowestFreeDescriptor(pid_t pid) {
  const std::string folder = "/proc/" + std::to_string(pid) + "/fd/";
  int free = 3;
  while (access((folder + std::to_string(free)).c_str(), F_OK) == 0) ++free;
  return free;
}
#endif

std::string hostName() {
  char name[256] = {};
  gethostname(name, sizeof name - 1);
  return name;
}

TEST(PgenServer, AnswersEachOfTheHostsCommandsByteForByte) {
  SimSession session(kCard);
  PgenChild pgen(session);
  ASSERT_EQ(4u, pgen.startLines().size());
  EXPECT_EQ("Device held: hd 1920x1080", pgen.startLines()[0]);
  EXPECT_EQ("listening on 127.0.0.1:" + std::to_string(pgen.port()) + " (TCP)",
            pgen.startLines()[1]);
  EXPECT_EQ("discovery on 127.0.0.1:" + std::to_string(pgen.discoveryPort()) +
                " (UDP, with the broadcasts that reach lo)",
            pgen.startLines()[2]);
  EXPECT_EQ("waiting for hosts", pgen.startLines()[3]);  // no warning: loopback only
  LoopbackSocket host = pgen.connect();
  ASSERT_TRUE(host.ok());
  const struct {
    const char* command;
    std::string reply;
  } cases[] = {
      {literal::kIsAlive, "ALIVE\x02\r"},
      {literal::kGetResolution, "OK:1920x1080\x02\r"},
      {literal::kGetGpuMemory, "OK:128\x02\r"},
      {literal::kGetVersion, "OK:corvane 0.1.0\x02\r"},
      {literal::kGetMode, "1[1920x1080 hd]\x02\r"},
      {literal::kGetModesAvailable, "OK:MVsxOTIweDEwODAgaGRd\x02\r"},
      {literal::kGetHostname, "OK:" + hostName() + "\x02\r"},
      {literal::kGetIsHdr, "OK:0\x02\r"},
      {literal::kMultiple,
       "OK:\nGET_PGENERATOR_CONF_COLOR_FORMAT:0\nGET_PGENERATOR_CONF_RGB_QUANT_RANGE:2\n"
       "GET_PGENERATOR_CONF_COLORIMETRY:0\nGET_PGENERATOR_CONF_IS_LL_DOVI:0\x02\r"},
      {literal::kSetHdr, "OK:\x02\r"},
      {literal::kSetRange, "OK:\x02\r"},
      {literal::kHalt, "OK:\x02\r"},
      {literal::kReboot, "OK:\x02\r"},
      {literal::kRestart, "OK:\x02\r"},
      {literal::kHcfrPatch, "OK\x02\r"},
      {literal::kPgenClientPatch, "OK\x02\r"},
      {literal::kTemplateUpload, "OK\x02\r"},
      {literal::kTemplatePatch, "OK\x02\r"},
      {literal::kTemplateDisk, "OK\x02\r"},
      {literal::kEndText, "ERR:unsupported\x02\r"},
      {literal::kEndTemplate, "OK\x02\r"},
      {literal::kQuit, "\x02\r"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.reply, exchange(&host, c.command, c.reply)) << c.command;
  EXPECT_TRUE(host.closedByPeer());  // after QUIT; the card stays held
  EXPECT_TRUE(pgen.readUntil(
      "signalling: pq colorspace rec2020 primaries rec2020 max-luminance 1000 min-luminance "
      "0.0001 max-cll 1000 max-fall 400"));
  EXPECT_TRUE(pgen.readUntil("setting ignored: CMD:SET_RGB_QUANT_RANGE"));
  EXPECT_TRUE(pgen.readUntil(patchLine("512 512 512", kHcfr10, "0 0 0")));
  EXPECT_TRUE(pgen.readUntil(patchLine("512 512 512", kPgenClient10, "0 0 0")));
  EXPECT_TRUE(pgen.readUntil("template 'HCFR' stored: 1 rectangle, 1 text block\n"));
  EXPECT_TRUE(pgen.readUntil("text is not drawn: "));
  EXPECT_TRUE(pgen.readUntil(patchLine("504 504 504", kHcfr10, "64 64 64")));
  EXPECT_TRUE(pgen.readUntil(patchLine("0 0 0", kHdFull, "0 0 0")));
  EXPECT_TRUE(pgen.readUntil("ended: the host sent QUIT\n"));
  // The template outlasts the connection.
  LoopbackSocket next = pgen.connect();
  EXPECT_EQ("OK\x02\r", exchange(&next, literal::kTemplatePatch, "OK\x02\r"));
  pgen.endWithSignal();
  // Text is said to be left out once, not per command.
  EXPECT_THAT(pgen.readAll(), ::testing::Not(HasSubstr("text")));
  // The black frame, shown again when HDR came on, the two patches, the
  // template's patch, two full fields, and the template's patch again.
  EXPECT_EQ(8u, session.countLogLines("DisplayVideoFrameSync"));
}

TEST(PgenServer, PaintsPatchesPixelForPixel) {
  SimSession session(kCard, true);
  PgenChild pgen(session);
  LoopbackSocket host = pgen.connect();
  // HCFR's template as its client fills it in for a window and an offset.
  const auto upload = [](const char* dim, const char* position) {
    return std::string("SETCONF:HCFR:TEMPLATERAMDISK:DRAW=TEXT\nDIM=18,0\nRESOLUTION=100\n"
                       "RGB=20,128,128\nBG=DYNAMIC\nPOSITION=785,20\nTEXT=RGB Triplet $RGB\n"
                       "END=1\nDRAW=RECTANGLE\nDIM=") +
           dim + "\nRESOLUTION=100\nRGB=DYNAMIC\nBG=-1,-1,-1\nPOSITION=" + position +
           "\nEND=1\x02\r";
  };
  const struct {
    std::string upload;  // sent first when not empty, answered OK
    std::string command;
    PatchRect rect;
    uint32_t patch, background;
  } cases[] = {
      {"", "RGB=RECTANGLE;607,341;100;235,235,235;16,16,16;-1,-1", kHcfr10, r210Gray(940),
       r210Gray(64)},
      {"", "RGB=RECTANGLE;400,200;100;255,128,0;1,2,3;-1,-1,-300,100", {460, 540, 400, 200},
       r210Word(1020, 512, 0), r210Word(4, 8, 12)},
      {"", "RGB=RECTANGLE10bit;607,342;0;1023,64,940;100,200,300;0,0,657,369;-1",
       kPgenClient10, r210Word(1023, 64, 940), r210Word(100, 200, 300)},
      {"", "RGB=RECTANGLE10bit;300,300;0;1,2,3;0,0,0;-1,-1,900,0", {1710, 390, 210, 300},
       r210Word(1, 2, 3), r210Gray(0)},
      {"", "RGB=RECTANGLE10bit;9999,9999;0;512,512,512;0,0,0;0,0", kHdFull, r210Gray(512),
       r210Gray(0)},
      {literal::kTemplateUpload, "TESTTEMPLATERAMDISK:HCFR:126,126,126;16,16,16",
       kHcfr10, r210Gray(504), r210Gray(64)},
      {upload("607,341", "-1,-1,-656,369"), "TESTTEMPLATERAMDISK:HCFR:255,0,128;1,2,3",
       {0, 738, 607, 341}, r210Word(1020, 0, 512), r210Word(4, 8, 12)},
      {upload("960,540", "-1,-1,0,0"), "TESTTEMPLATERAMDISK:HCFR:235,235,235;16,16,16",
       {480, 270, 960, 540}, r210Gray(940), r210Gray(64)},
      {upload("960,540", "-1,-1,480,-270"), "TESTTEMPLATERAMDISK:HCFR:0,0,0;255,255,255",
       {960, 0, 960, 540}, r210Gray(0), r210Gray(1020)},
      {"", "TESTTEMPLATEDISK:PatternDynamic:20,30,40", kHdFull, r210Word(80, 120, 160), 0},
  };
  for (const auto& c : cases) {
    if (!c.upload.empty()) {
      EXPECT_EQ("OK\x02\r", exchange(&host, c.upload, "OK\x02\r"));
    }
    EXPECT_EQ("OK\x02\r", exchange(&host, c.command + literal::kEnd, "OK\x02\r")) << c.command;
  }
  // A wrong patch and an unknown template paint nothing.
  EXPECT_EQ("ERR:bad command\x02\r",
            exchange(&host, std::string("RGB=RECTANGLE;1,1;0;300,0,0;0,0,0;-1,-1") + literal::kEnd,
                     "ERR:bad command\x02\r"));
  EXPECT_EQ("ERR:unknown template\x02\r",
            exchange(&host, "TESTTEMPLATERAMDISK:Other:1,2,3;4,5,6" + std::string(literal::kEnd),
                     "ERR:unknown template\x02\r"));
  pgen.endWithSignal();
  const std::vector<std::string> frames = session.frames();
  ASSERT_EQ(11u, frames.size());
  expectPatchFrame(FrameFile(frames[0]).frame(), {0, 0, 0, 0}, 0, r210Gray(0));  // black
  for (size_t i = 0; i < 10; ++i) {
    SCOPED_TRACE(cases[i].command);
    FrameFile frame(frames[i + 1]);
    ASSERT_TRUE(frame.ok());
    expectPatchFrame(frame.frame(), cases[i].rect, cases[i].patch, cases[i].background);
  }
}

TEST(PgenServer, PaintsAtTheHeldMode) {
  SimSession session(kCard, true);
  PgenChild pgen(session, {"0", "uhd"});
  EXPECT_EQ("Device held: uhd 3840x2160", pgen.startLines()[0]);
  LoopbackSocket host = pgen.connect();
  EXPECT_EQ("OK:3840x2160\x02\r", exchange(&host, literal::kGetResolution, "OK:3840x2160\x02\r"));
  EXPECT_EQ("OK\x02\r", exchange(&host, literal::kHcfrPatch, "OK\x02\r"));
  pgen.endWithSignal();
  ASSERT_EQ(2u, session.frames().size());
  expectPatchFrame(FrameFile(session.frames()[1]).frame(), {1616, 909, 607, 341}, r210Gray(512),
                   r210Gray(0));
}

TEST(PgenServer, TakesCommandsSplitAtEveryByteAndSeveralPerRead) {
  SimSession session(kCard);
  PgenChild pgen(session);
  LoopbackSocket host = pgen.connect();
  const std::string stream = std::string(literal::kIsAlive) + literal::kGetResolution +
                             literal::kGetMode + literal::kSetHdr;
  const std::string replies = "ALIVE\x02\rOK:1920x1080\x02\r1[1920x1080 hd]\x02\rOK:\x02\r";
  EXPECT_EQ(replies, exchange(&host, stream, replies));  // four commands in one send
  for (size_t cut = 1; cut < stream.size(); ++cut) {
    host.send(stream.substr(0, cut));
    usleep(2000);  // so that the two parts arrive apart
    EXPECT_EQ(replies, exchange(&host, stream.substr(cut), replies)) << "cut after " << cut;
  }
  for (char byte : stream) {
    host.send(std::string(1, byte));
    usleep(500);
  }
  EXPECT_EQ(replies, host.receiveUntil(replies));
  pgen.endWithSignal();
}

TEST(PgenServer, AnswersDiscoveryOnItsPort) {
  SimSession session(kCard);
  PgenChild pgen(session);
  LoopbackSocket host = LoopbackSocket::udp();
  ASSERT_TRUE(host.sendTo(pgen.discoveryPort(), "Who is a PGenerator?!"));  // not the question
  ASSERT_TRUE(host.sendTo(pgen.discoveryPort(), std::string(3000, '\x01')));
  EXPECT_EQ("", host.receiveFrom(300));
  ASSERT_TRUE(host.sendTo(pgen.discoveryPort(), literal::kDiscovery));
  uint16_t from = 0;
  EXPECT_EQ("This is a PGenerator", host.receiveFrom(10000, &from));
  EXPECT_EQ(pgen.discoveryPort(), from);
  EXPECT_TRUE(pgen.readUntil("discovery from 127.0.0.1:" +
                                       std::to_string(host.port()) + ": answered"));
  pgen.endWithSignal();
}

TEST(PgenServer, ANewConnectionReplacesTheCurrentOneOnceItSpeaks) {
  SimSession session(kCard);
  PgenChild pgen(session);
  // A probe that never sends and a host that sends half a command leave the
  // host being served alone and are closed after 5 s; a host that sends a
  // whole command takes its place.
  LoopbackSocket first = pgen.connect();
  EXPECT_EQ("ALIVE\x02\r", exchange(&first, literal::kIsAlive, "ALIVE\x02\r"));
  LoopbackSocket silent = pgen.connect();
  LoopbackSocket half = pgen.connect();
  half.send("RGB=RECTANGLE;607,341;100;128,128");
  EXPECT_EQ("OK\x02\r", exchange(&first, literal::kHcfrPatch, "OK\x02\r"));
  EXPECT_TRUE(silent.closedByPeer(8000));
  EXPECT_TRUE(half.closedByPeer(1000));
  EXPECT_TRUE(pgen.readUntil("ended: no whole command within 5000 ms"));
  EXPECT_EQ("ALIVE\x02\r", exchange(&first, literal::kIsAlive, "ALIVE\x02\r"));
  LoopbackSocket last = pgen.connect();
  EXPECT_EQ("OK:1920x1080\x02\r", exchange(&last, literal::kGetResolution, "OK:1920x1080\x02\r"));
  EXPECT_TRUE(first.closedByPeer());
  EXPECT_TRUE(pgen.readUntil("ended: a new connection replaced it"));
  pgen.endWithSignal();
  EXPECT_EQ(2u, session.countLogLines("DisplayVideoFrameSync"));  // black, the patch
}

TEST(PgenServer, SurvivesGarbageAndDropsOversizeCommands) {
  SimSession session(kCard);
  PgenChild pgen(session);
  LoopbackSocket host = pgen.connect();
  std::string garbage;
  for (int i = 0; i < 4000; ++i) {
    const char byte = static_cast<char>((i * 7919) % 251 + (i % 3));
    garbage += byte == '\x02' ? '\x03' : byte;  // one command: no terminator inside
  }
  const std::string reply = "ERR:unsupported\x02\r";
  EXPECT_EQ(reply, exchange(&host, garbage.substr(0, 4000) + literal::kEnd, reply));
  EXPECT_EQ(reply + reply, exchange(&host, std::string("\x02\r\xff\x02\r", 5), reply + reply));
  EXPECT_EQ("ERR:bad command\x02\r",
            exchange(&host, "RGB=RECTANGLE;1,1;1;99999999999999999999,0,0;0,0,0;-1,-1\x02\r",
                     "ERR:bad command\x02\r"));
  EXPECT_EQ("ALIVE\x02\r", exchange(&host, literal::kIsAlive, "ALIVE\x02\r"));
  host.send(std::string(70000, 'A'));
  EXPECT_TRUE(host.closedByPeer());
  EXPECT_TRUE(pgen.readUntil("ended: a command longer than 65536 bytes"));
  LoopbackSocket next = pgen.connect();
  EXPECT_EQ("ALIVE\x02\r", exchange(&next, literal::kIsAlive, "ALIVE\x02\r"));
  pgen.endWithSignal();
}

// Hosts that flood, vanish, flap or misbehave never stop corvane serving:
// after each, a fresh host is served, and the card is released at the end.
TEST(PgenServer, KeepsServingWhateverAHostDoes) {
  std::unique_ptr<SimSession> session;
  std::unique_ptr<PgenChild> pgen;
  auto start = [&](int busyDescriptors = 0, bool terminal = false) {
    session = std::make_unique<SimSession>(kCard);
    pgen = std::make_unique<PgenChild>(*session, std::vector<std::string>{}, busyDescriptors,
                                       terminal);
  };
  const struct {
    const char* name;
    std::function<void()> host;
  } rows[] = {
      {"discovery floods in while nobody reads corvane's output",
       [&] {
         start();
         // 3000 answers of 50 bytes: more than a pipe holds.
         LoopbackSocket asker = LoopbackSocket::udp();
         int answered = 0;
         for (int i = 0; i < 3000 && answered == i; ++i) {
           asker.sendTo(pgen->discoveryPort(), literal::kDiscovery);
           answered += asker.receiveFrom(2000) == "This is a PGenerator";
         }
         EXPECT_EQ(3000, answered);
         // The next line shown says how many were not: the last answer's,
         // when the reading below began before corvane offered it, else
         // the next one's.
         const std::string dropped =
             " lines not shown: standard output was not taking them)\ndiscovery from ";
         std::string read;
         for (std::string line; (line = pgen->readLine(300)) != "<timeout>";) read += line + "\n";
         asker.sendTo(pgen->discoveryPort(), literal::kDiscovery);
         EXPECT_TRUE(read.find(dropped) != std::string::npos || pgen->readUntil(dropped));
       }},
      // A terminal says it has room, then blocks a write longer than that.
      {"3,000 patches while nobody reads corvane's terminal",
       [&] {
         start(0, true);
         LoopbackSocket host = pgen->connect();
         std::string patches, replies;
         for (int i = 0; i < 100; ++i) patches += literal::kHcfrPatch, replies += "OK\x02\r";
         int answered = 0;
         for (int round = 0; round < 30 && answered == round; ++round) {
           host.send(patches);
           answered += host.receiveUntil(replies) == replies;
         }
         EXPECT_EQ(30, answered);
       }},
      {"a host floods commands and never reads the replies",
       [&] {
         start();
         LoopbackSocket host = pgen->connect(4096);
         floodWithoutReading(&host, literal::kIsAlive, 0);
         EXPECT_TRUE(
             pgen->readUntil("ended: the host did not read its reply within 1000 ms"));
       }},
      {"a host sends half a command and goes silent",
       [&] {
         start();
         LoopbackSocket half = pgen->connect();
         half.send("RGB=RECTANGLE;607,341;100;128,");
         EXPECT_TRUE(pgen->readUntil("connection from 127.0.0.1:"));
       }},
      {"hosts connect and close at once, again and again",
       [&] {
         start();
         for (int i = 0; i < 300; ++i) pgen->connect();
       }},
      {"corvane starts with 1,100 open descriptors",
       [&] {
         start(1100);
         const int open = openDescriptors(pgen->pid());
         EXPECT_TRUE(open < 0 || open >= 1100) << open;  // -1: no /proc to ask
       }},
#ifdef __linux__
      // Its limit of descriptors lowered below its lowest free one.
      {"corvane runs out of descriptors while it serves a host",
       [&] {
         start();
         LoopbackSocket host = pgen->connect();
         EXPECT_EQ("ALIVE\x02\r", exchange(&host, literal::kIsAlive, "ALIVE\x02\r"));
         rlimit normal = {}, full = {};
         ASSERT_EQ(0, prlimit(pgen->pid(), RLIMIT_NOFILE, nullptr, &normal));
         full = {static_cast<rlim_t>(lowestFreeDescriptor(pgen->pid())), normal.rlim_max};
         ASSERT_EQ(0, prlimit(pgen->pid(), RLIMIT_NOFILE, &full, nullptr));
         LoopbackSocket waiting = pgen->connect();
         EXPECT_TRUE(pgen->readUntil("cannot accept connections: Too many open files; "));
         EXPECT_EQ("ALIVE\x02\r", exchange(&host, literal::kIsAlive, "ALIVE\x02\r"));
         host.close();  // a descriptor comes free: the waiting host is taken
         EXPECT_EQ("ALIVE\x02\r", exchange(&waiting, literal::kIsAlive, "ALIVE\x02\r"));
         EXPECT_TRUE(pgen->readUntil("descriptors free again: accepting connections"));
         ASSERT_EQ(0, prlimit(pgen->pid(), RLIMIT_NOFILE, &normal, nullptr));
       }},
#endif
      {"a host's text has control bytes and long values",
       [&] {
         start();
         LoopbackSocket host = pgen->connect();
         const std::string forged = "\x1b[2J\r\nconnection from forged" + std::string(60000, 'A');
         EXPECT_EQ("ERR:unsupported\x02\r", exchange(&host, forged + literal::kEnd,
                                                     "ERR:unsupported\x02\r"));
         EXPECT_TRUE(pgen->readUntil(
             "unsupported command: \\x1B[2J\\x0D\\x0Aconnection from forgedAAAA"));
         std::string many = "CMD:MULTIPLE";
         for (int i = 0; i < 2000; ++i) many += ":GET_X" + std::to_string(i);
         exchange(&host, many + literal::kEnd, "\x02\r");
         ASSERT_TRUE(pgen->readUntil("unsupported queries in CMD:MULTIPLE: "));
         EXPECT_LE(pgen->readLine().size(), 300u);
       }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    row.host();
    LoopbackSocket fresh = pgen->connect();
    EXPECT_EQ("ALIVE\x02\r", exchange(&fresh, literal::kIsAlive, "ALIVE\x02\r"));
    pgen->endWithSignal();
  }
}

// How it starts when its ports are taken: a port that cannot be bound ends
// it, a discovery port that cannot is a warning.
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

TEST(PgenStart, AnIPv4AddressWrittenAsIPv6IsListenedOnAsIPv4) {
  SimSession session(kCard);
  PgenChild pgen(session, {"--listen", "::ffff:127.0.0.1"});
  LoopbackSocket host = pgen.connect();  // to the port on its "listening on 127.0.0.1:" line
  EXPECT_EQ("ALIVE\x02\r", exchange(&host, literal::kIsAlive, "ALIVE\x02\r"));
  pgen.endWithSignal();
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
