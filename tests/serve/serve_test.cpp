// The serve protocol end to end: the real binary over pipes against the
// simulated card.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "serve_answers.h"
#include "support/serve_client.h"

namespace {

using ::testing::HasSubstr;


TEST(Serve, ReadyLineFirstAndOnlyLineOnEmptyInput) {
  SimSession session(kCard);
  ServeClient client(session);
  EXPECT_EQ(kReady, client.ready());
  client.process().closeInput();
  EXPECT_EQ("", client.process().readAll());
  EXPECT_EQ(0, client.process().wait());
  EXPECT_TRUE(session.logLines().empty());  // nothing loaded or opened at start
}

TEST(Serve, UnrecognisedLines) {
  SimSession session(kCard);
  ServeClient client(session);
  for (const char* line : {"", "list", "{\"LIST\":1}", "{\"cmd\":\"lists\"}", "   ", "\r"}) {
    EXPECT_EQ(kUnrecognised, client.ask(line)) << line;
  }
  EXPECT_EQ(0, client.finish());
}

TEST(Serve, ListDescribesEveryCard) {
  SimSession session(
      "[device]\nname_result = E_FAIL\nmodes = hd uhd\n"
      "[device]\nname = Say \\\"hi\\\" \\\\ o\\tk\nmodes = 4k\n"
      "[device]\nname = In only\noutput = no\n");
  ServeClient client(session);
  EXPECT_EQ(
      "{\"ok\":true,\"devices\":["
      "{\"index\":0,\"name\":\"(unknown)\",\"output\":true,\"usable\":true,"
      "\"modes\":{\"hd\":true,\"uhd\":true,\"4k\":false}},"
      "{\"index\":1,\"name\":\"Say \\\"hi\\\" \\\\ ok\",\"output\":true,\"usable\":true,"
      "\"modes\":{\"hd\":false,\"uhd\":false,\"4k\":true}},"
      "{\"index\":2,\"name\":\"In only\",\"output\":false,\"usable\":false,"
      "\"modes\":{\"hd\":false,\"uhd\":false,\"4k\":false}}]}",
      client.ask("{\"cmd\":\"list\"}"));
  // The first command word found decides.
  EXPECT_EQ(client.ask("{\"cmd\":\"list\"}"), client.ask("{\"patch\":1,\"x\":\"list\"}"));
  EXPECT_EQ(0, client.finish());
  EXPECT_EQ("", session.audit());
}

TEST(Serve, ListWithoutCardsOrWithoutDriver) {
  SimSession session("");
  ServeClient client(session);
  EXPECT_EQ("{\"ok\":true,\"devices\":[]}", client.ask("{\"cmd\":\"list\"}"));
  EXPECT_EQ(0, client.finish());

  ServeClient missing(SimSession::withoutDriver());
  EXPECT_EQ(kReady, missing.ready());
  EXPECT_EQ(
      "{\"ok\":false,\"code\":\"no_api\",\"error\":\"Blackmagic Desktop Video does not "
      "appear to be installed\"}",
      missing.ask("{\"cmd\":\"list\"}"));
  EXPECT_EQ(kNoDevice, missing.ask("{\"cmd\":\"open\"}"));
  EXPECT_EQ(0, missing.finish());
}

TEST(Serve, OpenDefaultsAndKeys) {
  SimSession session("[device]\nname = A\n[device]\nname = B\n");
  ServeClient client(session);
  EXPECT_EQ("{\"ok\":true}", client.ask("{\"cmd\":\"close\"}"));
  EXPECT_EQ(kHd, client.ask("{\"cmd\":\"open\"}"));
  EXPECT_EQ(kUhd, client.ask("{\"cmd\":\"open\",\"device\":1,\"mode\":\"uhd\"}"));
  EXPECT_EQ("{\"ok\":true,\"width\":4096,\"height\":2160}",
            client.ask("{\"cmd\":\"open\",\"device\":0,\"mode\":\"4k\"}"));
  // An unknown resolution releases what was held.
  EXPECT_EQ(kUnknownResolution, client.ask("{\"cmd\":\"open\",\"mode\":\"8k\"}"));
  EXPECT_EQ(kNotOpen, client.ask("{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3}"));
  EXPECT_EQ(kNoDevice, client.ask("{\"cmd\":\"open\",\"device\":2}"));
  EXPECT_EQ(kNoDevice, client.ask("{\"cmd\":\"open\",\"device\":-1}"));
  // A number too large for int saturates, and is no device either.
  EXPECT_EQ(kNoDevice, client.ask("{\"cmd\":\"open\",\"device\":4294967296}"));
  EXPECT_EQ(0, client.finish());
  EXPECT_EQ("", session.audit());
}

TEST(Serve, OpenFailuresCarryTheDeviceLayersCodes) {
  SimSession session(
      "[device]\nname = In only\noutput = no\n"
      "[device]\nname = HD only\nmodes = hd\n"
      "[device]\nname = Stubborn\nenable.hd = S_FALSE\nenable.uhd = 0x8000000A\n"
      "create_frame.4k = E_OUTOFMEMORY\n");
  ServeClient client(session);
  EXPECT_EQ("{\"ok\":false,\"code\":\"no_output\",\"error\":\"device has no output interface\"}",
            client.ask("{\"cmd\":\"open\",\"device\":0}"));
  EXPECT_EQ(
      "{\"ok\":false,\"code\":\"unsupported\",\"error\":\"device cannot output 10-bit RGB "
      "4:4:4 at this resolution\"}",
      client.ask("{\"cmd\":\"open\",\"device\":1,\"mode\":\"uhd\"}"));
  EXPECT_EQ("{\"ok\":false,\"code\":\"failed\",\"error\":\"S_FALSE\"}",
            client.ask("{\"cmd\":\"open\",\"device\":2}"));
  EXPECT_EQ("{\"ok\":false,\"code\":\"failed\",\"error\":\"unknown\"}",
            client.ask("{\"cmd\":\"open\",\"device\":2,\"mode\":\"uhd\"}"));
  EXPECT_EQ(
      "{\"ok\":false,\"code\":\"failed\",\"error\":\"could not allocate a video frame\"}",
      client.ask("{\"cmd\":\"open\",\"device\":2,\"mode\":\"4k\"}"));
  EXPECT_EQ(0, client.finish());
  EXPECT_EQ("", session.audit());
}

TEST(Serve, SecondProgramFindsTheCardInUse) {
  SimSession session(kCard);
  ServeClient first(session);
  EXPECT_EQ(kHd, first.ask("{\"cmd\":\"open\"}"));
  ServeClient second(session);
  EXPECT_EQ(
      "{\"ok\":false,\"code\":\"in_use\",\"error\":\"E_ACCESSDENIED (device already in "
      "use)\"}",
      second.ask("{\"cmd\":\"open\"}"));
  EXPECT_EQ(0, second.finish());
  EXPECT_EQ("{\"ok\":true}", first.ask("{\"cmd\":\"close\"}"));
  ServeClient third(session);
  EXPECT_EQ(kHd, third.ask("{\"cmd\":\"open\"}"));
  EXPECT_EQ(0, third.finish());
  EXPECT_EQ(0, first.finish());
  EXPECT_EQ("", session.audit());
}

TEST(Serve, SetModeChecksTheWordBeforeTheDevice) {
  SimSession session("[device]\nname = A\nmodes = hd uhd\ncreate_frame.4k = E_FAIL\n"
                     "probe.4k = S_OK yes\n");
  ServeClient client(session);
  EXPECT_EQ(kUnknownResolution, client.ask("{\"cmd\":\"setmode\",\"mode\":\"8k\"}"));
  EXPECT_EQ(kNotOpen, client.ask("{\"cmd\":\"setmode\",\"mode\":\"uhd\"}"));
  EXPECT_EQ(kNotOpen, client.ask("{\"cmd\":\"setmode\"}"));
  EXPECT_EQ(kHd, client.ask("{\"cmd\":\"open\"}"));
  EXPECT_EQ(kUnknownResolution, client.ask("{\"cmd\":\"setmode\",\"mode\":\"UHD\"}"));
  EXPECT_EQ(kUnknownResolution, client.ask("{\"cmd\":\"setmode\",\"mode\":\"8k\"}"));
  EXPECT_EQ("{\"ok\":true,\"x\":0,\"y\":0,\"w\":1920,\"h\":1080}",
            client.ask("{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3}"));
  EXPECT_EQ(kUhd, client.ask("{\"cmd\":\"setmode\",\"mode\":\"uhd\"}"));
  EXPECT_EQ(kUhd, client.ask("{\"cmd\":\"setmode\",\"mode\":\"uhd\"}"));
  EXPECT_EQ(
      "{\"ok\":false,\"code\":\"failed\",\"error\":\"could not switch resolution; previous "
      "mode restored\"}",
      client.ask("{\"cmd\":\"setmode\",\"mode\":\"4k\"}"));
  EXPECT_EQ("{\"ok\":true,\"x\":0,\"y\":0,\"w\":3840,\"h\":2160}",
            client.ask("{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3}"));
  EXPECT_EQ(kHd, client.ask("{\"cmd\":\"setmode\"}"));  // no mode key means hd
  EXPECT_EQ(0, client.finish());
  EXPECT_EQ("", session.audit());
}

TEST(Serve, SetModeToTheCurrentModeTouchesNothing) {
  SimSession session(kCard);
  ServeClient client(session);
  EXPECT_EQ(kHd, client.ask("{\"cmd\":\"open\"}"));
  size_t before = session.logLines().size();
  EXPECT_EQ(kHd, client.ask("{\"cmd\":\"setmode\",\"mode\":\"hd\"}"));
  EXPECT_EQ(before, session.logLines().size());
  EXPECT_EQ(0, client.finish());
}

TEST(Serve, PatchChecksInOrder) {
  SimSession session(kCard);
  ServeClient client(session);
  EXPECT_EQ(kNeedsRgb, client.ask("{\"cmd\":\"patch\",\"r\":1,\"g\":2}"));
  EXPECT_EQ(kNeedsRgb, client.ask("{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":\"512\"}"));
  EXPECT_EQ(kNeedsRgb, client.ask("{\"cmd\":\"patch\",\"r\":-,\"g\":2,\"b\":3}"));
  EXPECT_EQ(kValues, client.ask("{\"cmd\":\"patch\",\"r\":1024,\"g\":2,\"b\":3}"));
  EXPECT_EQ(kValues, client.ask("{\"cmd\":\"patch\",\"r\":-1,\"g\":2,\"b\":3}"));
  EXPECT_EQ(kValues, client.ask("{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3,\"bg_b\":2000}"));
  // 4294967296 must not wrap to 0 and paint black as a success.
  EXPECT_EQ(kValues, client.ask("{\"cmd\":\"patch\",\"r\":4294967296,\"g\":0,\"b\":0}"));
  EXPECT_EQ(kValues, client.ask("{\"cmd\":\"patch\",\"r\":0,\"g\":-4294967296,\"b\":0}"));
  EXPECT_EQ(kArea, client.ask("{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3,\"area\":0}"));
  EXPECT_EQ(kArea, client.ask("{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3,\"area\":101}"));
  EXPECT_EQ(kArea,
            client.ask("{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3,\"area\":4294967297}"));
  EXPECT_EQ(kNotOpen, client.ask("{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3,\"x\":-9}"));
  // An integer id ends the answer, a failure's too; any other id is no id.
  EXPECT_EQ("{\"ok\":false,\"code\":\"bad_request\",\"error\":\"area must be 1-100\",\"id\":-7}",
            client.ask("{\"id\": -007,\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3,\"area\":0}"));
  EXPECT_EQ(kNotOpen, client.ask("{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3,\"id\":1.5}"));
  EXPECT_EQ(kNotOpen, client.ask("{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3,\"id\":\"a\"}"));
  EXPECT_EQ(kNotOpen, client.ask("{\"cmd\":\"align\"}"));
  EXPECT_EQ(kHd, client.ask("{\"cmd\":\"open\"}"));
  EXPECT_EQ("{\"ok\":true,\"x\":656,\"y\":369,\"w\":607,\"h\":342}",
            client.ask("{\"cmd\":\"patch\",\"r\":1023,\"g\":0,\"b\":0,\"area\":10}"));
  EXPECT_EQ("{\"ok\":true,\"x\":864,\"y\":486,\"w\":192,\"h\":108}",
            client.ask("{\"patch\":{\"r\" : 0, \"g\":1023,\"b\":0,\"area\":1.9}}"));
  EXPECT_EQ("{\"ok\":true,\"x\":0,\"y\":0,\"w\":1920,\"h\":1080,\"id\":12345678901234567890}",
            client.ask("{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3,\"id\":12345678901234567890}"));
  EXPECT_EQ("{\"ok\":false,\"code\":\"bad_request\",\"error\":\"patch needs both x and y, or "
            "neither\"}",
            client.ask("{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3,\"y\":0}"));
  EXPECT_EQ(0, client.finish());
  EXPECT_EQ("", session.audit());
}

TEST(Serve, DisplayFailuresAreReported) {
  SimSession session("[device]\nname = A\ndisplay = E_FAIL\n");
  ServeClient client(session);
  EXPECT_EQ(kHd, client.ask("{\"cmd\":\"open\"}"));
  EXPECT_EQ(kDisplayFailed, client.ask("{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3}"));
  EXPECT_EQ(kDisplayFailed, client.ask("{\"cmd\":\"align\"}"));
  EXPECT_EQ(0, client.finish());
  EXPECT_EQ("", session.audit());
}

TEST(Serve, AlignDefaultsOrderAndSixteenBitLevels) {
  SimSession session(kCard);
  ServeClient client(session);
  EXPECT_EQ(kHd, client.ask("{\"cmd\":\"open\"}"));
  EXPECT_EQ("{\"ok\":true,\"inner\":{\"w\":333,\"h\":187},\"outer\":{\"w\":607,\"h\":342}}",
            client.ask("{\"cmd\":\"align\"}"));
  EXPECT_EQ("{\"ok\":true,\"inner\":{\"w\":859,\"h\":483},\"outer\":{\"w\":429,\"h\":241}}",
            client.ask("{\"cmd\":\"align\",\"a1\":20,\"a2\":5}"));
  EXPECT_EQ("{\"ok\":true,\"inner\":{\"w\":1,\"h\":1},\"outer\":{\"w\":1920,\"h\":1080}}",
            client.ask("{\"cmd\":\"align\",\"a1\":-50,\"a2\":4294967296,\"bg\":-1,"
                       "\"line\":99999999,\"cross\":70000}"));
  EXPECT_EQ(0, client.finish());
  EXPECT_EQ("", session.audit());
}

TEST(Serve, LongLinesArriveInPieces) {
  SimSession session(kCard);
  ServeClient client(session);
  std::string request = "{\"cmd\":\"list\"}";
  request += std::string(511 - request.size(), ' ');
  ASSERT_EQ(511u, request.size());
  std::string first = client.ask(request);
  EXPECT_THAT(first, HasSubstr("\"devices\""));
  EXPECT_EQ(kUnrecognised, client.nextLine());
  // A NUL byte hides the rest of its piece.
  client.send(std::string("{\"cmd\":\"clo\0se\"}\n", 17));
  EXPECT_EQ(kUnrecognised, client.nextLine());
  EXPECT_EQ(0, client.finish());
}

TEST(Serve, QuitAndEndOfInputReleaseTheCard) {
  for (bool quit : {true, false}) {
    SimSession session(kCard);
    ServeClient client(session);
    EXPECT_EQ(kHd, client.ask("{\"cmd\":\"open\"}"));
    if (quit) client.send("{\"cmd\":\"quit\"}\n{\"cmd\":\"list\"}\n");
    client.process().closeInput();
    EXPECT_EQ("", client.process().readAll()) << quit;
    EXPECT_EQ(0, client.process().wait());
    EXPECT_EQ("", session.audit());
    EXPECT_EQ(1u, session.countLogLines("DisableVideoOutput()"));
    EXPECT_EQ(1u, session.countLogLines("Next()"));  // the list after quit never ran
  }
}

TEST(Serve, HostClosingItsReadEndDoesNotKillTheHolder) {
  SimSession session(kCard);
  ServeClient client(session);
  EXPECT_EQ(kHd, client.ask("{\"cmd\":\"open\"}"));
  client.process().closeOutput();
  for (int i = 0; i < 20; ++i) client.send("{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3}\n");
  EXPECT_EQ(0, client.finish());
  EXPECT_EQ("", session.audit());
  EXPECT_EQ(1u, session.countLogLines("DisableVideoOutput()"));
  EXPECT_EQ(20u, session.countLogLines("DisplayVideoFrameSync"));
}

}  // namespace
