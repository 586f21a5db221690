// The serve protocol end to end: the real binary over pipes against the
// simulated card. (Its frames and its HDR requests: serve_frames_test.cpp
// and serve_hdr_test.cpp.)
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "serve_answers.h"
#include "support/serve_fixture.h"
#include "support/windows.h"

namespace {

using ::testing::HasSubstr;
using Serve = ServeTest;

TEST_F(Serve, ReadyLineFirstAndOnlyLineOnEmptyInput) {
  ServeClient& client = serve(kCard);
  EXPECT_EQ(kReady, client.ready());
  client.closeInput();
  EXPECT_EQ("", client.readAll());
  EXPECT_EQ(0, client.wait());
  EXPECT_TRUE(session().logLines().empty());  // nothing loaded or opened at start
}

// Requests answered from their own text, before anything is open: the card
// is never touched. The checks come in order: the command word, then its
// values, then the device.
TEST_F(Serve, StatelessErrorsLeaveTheCardUntouched) {
  const struct {
    std::string request;
    std::string answer;
  } rows[] = {
      // No command word.
      {"", kUnrecognised},
      {"list", kUnrecognised},
      {"{\"LIST\":1}", kUnrecognised},
      {"{\"cmd\":\"lists\"}", kUnrecognised},
      {"   ", kUnrecognised},
      {"\r", kUnrecognised},
      // patch.
      {"{\"cmd\":\"patch\",\"r\":1,\"g\":2}", kNeedsRgb},
      {"{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":\"512\"}", kNeedsRgb},
      {"{\"cmd\":\"patch\",\"r\":-,\"g\":2,\"b\":3}", kNeedsRgb},
      {"{\"cmd\":\"patch\",\"r\":1024,\"g\":2,\"b\":3}", kValues},
      {"{\"cmd\":\"patch\",\"r\":-1,\"g\":2,\"b\":3}", kValues},
      {"{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3,\"bg_b\":2000}", kValues},
      // 4294967296 must not wrap to 0 and paint black as a success.
      {"{\"cmd\":\"patch\",\"r\":4294967296,\"g\":0,\"b\":0}", kValues},
      {"{\"cmd\":\"patch\",\"r\":0,\"g\":-4294967296,\"b\":0}", kValues},
      {"{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3,\"area\":0}", kArea},
      {"{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3,\"area\":101}", kArea},
      {"{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3,\"area\":4294967297}", kArea},
      {"{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3,\"x\":-9}", kNotOpen},
      // An integer id ends the answer, a failure's too; any other id is no id.
      {"{\"id\": -007,\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3,\"area\":0}",
       "{\"ok\":false,\"code\":\"bad_request\",\"error\":\"area must be 1-100\",\"id\":-7}"},
      {"{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3,\"id\":1.5}", kNotOpen},
      {"{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3,\"id\":\"a\"}", kNotOpen},
      // The word comes after every earlier command word.
      {"{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3,\"x\":\"modes\"}", kNotOpen},
      {"{\"cmd\":\"align\"}", kNotOpen},
      {"{\"cmd\":\"align\",\"hdr\":1}", kNotOpen},
      // setmode checks the word before the device.
      {"{\"cmd\":\"setmode\",\"mode\":\"8k\"}", kUnknownResolution},
      {"{\"cmd\":\"setmode\",\"mode\":\"uhd\"}", kNotOpen},
      {"{\"cmd\":\"setmode\"}", kNotOpen},
      // hdr: its values before the device.
      {"{\"cmd\":\"hdr\"}", badRequest("hdr needs eotf: sdr, pq or hlg")},
      {"{\"cmd\":\"hdr\",\"eotf\":\"PQ\"}", badRequest("hdr needs eotf: sdr, pq or hlg")},
      {"{\"cmd\":\"hdr\",\"eotf\":\"pq\",\"colorspace\":\"p3\"}",
       badRequest("colorspace must be rec709 or rec2020")},
      {"{\"cmd\":\"hdr\",\"eotf\":\"pq\",\"primaries\":\"dci\"}",
       badRequest("primaries must be rec2020, p3d65 or rec709")},
      {"{\"cmd\":\"hdr\",\"eotf\":\"pq\",\"max_luminance\":4294967296}",
       badRequest("maximum mastering luminance must be 1-65535 cd/m2")},
      {"{\"cmd\":\"hdr\",\"eotf\":\"pq\",\"min_luminance\":0}",
       badRequest("minimum mastering luminance must be 1-65535 (0.0001-6.5535 cd/m2)")},
      {"{\"cmd\":\"hdr\",\"eotf\":\"pq\",\"max_cll\":-1}",
       badRequest("MaxCLL must be 1-65535 cd/m2")},
      {"{\"cmd\":\"hdr\",\"eotf\":\"pq\"}", kNotOpen},
  };
  ServeClient& client = serve(kCard);
  for (const auto& row : rows) EXPECT_EQ(row.answer, client.ask(row.request)) << row.request;
  EXPECT_EQ(0, client.finish());
  EXPECT_TRUE(session().logLines().empty());
}

TEST_F(Serve, ListDescribesEveryCard) {
  ServeClient& client = serve(
      "[device]\nname_result = E_FAIL\nmodes = hd uhd\n"
      "[device]\nname = Say \\\"hi\\\" \\\\ o\\tk\nmodes = 4k\n"
      "[device]\nname = In only\noutput = no\n");
  EXPECT_EQ(
      "{\"ok\":true,\"devices\":["
      "{\"index\":0,\"name\":\"(unknown)\",\"output\":true,\"usable\":true,"
      "\"modes\":{\"hd\":true,\"uhd\":true,\"4k\":false}},"
      "{\"index\":1,\"name\":\"Say \\\"hi\\\" \\\\ ok\",\"output\":true,\"usable\":true,"
      "\"modes\":{\"hd\":false,\"uhd\":false,\"4k\":true}},"
      "{\"index\":2,\"name\":\"In only\",\"output\":false,\"usable\":false,"
      "\"modes\":{\"hd\":false,\"uhd\":false,\"4k\":false}}]}",
      client.ask("{\"cmd\":\"list\"}"));
  // The first command word found decides; a list answer names "modes" too,
  // so a line holding both is a list.
  EXPECT_EQ(client.ask("{\"cmd\":\"list\"}"), client.ask("{\"patch\":1,\"x\":\"list\"}"));
  EXPECT_EQ(client.ask("{\"cmd\":\"list\"}"), client.ask("{\"cmd\":\"list\",\"modes\":1}"));
}

TEST_F(Serve, ListWithoutCardsOrWithoutDriver) {
  EXPECT_EQ("{\"ok\":true,\"devices\":[]}", serve("").ask("{\"cmd\":\"list\"}"));
  ServeClient& missing = serveWithoutDriver();
  EXPECT_EQ(kReady, missing.ready());
  EXPECT_EQ(kNoApi, missing.ask("{\"cmd\":\"list\"}"));
  EXPECT_EQ(kNoDevice, missing.ask("{\"cmd\":\"open\"}"));
}

TEST_F(Serve, OpenDefaultsAndKeys) {
  ServeClient& client = serve("[device]\nname = A\n[device]\nname = B\n");
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
}

TEST_F(Serve, OpenFailuresCarryTheDeviceLayersCodes) {
  ServeClient& client = serve(
      "[device]\nname = In only\noutput = no\n"
      "[device]\nname = HD only\nmodes = hd\n"
      "[device]\nname = Stubborn\nenable.hd = S_FALSE\nenable.uhd = 0x8000000A\n"
      "create_frame.4k = E_OUTOFMEMORY\n");
  EXPECT_EQ(kNoOutput, client.ask("{\"cmd\":\"open\",\"device\":0}"));
  EXPECT_EQ(kUnsupported, client.ask("{\"cmd\":\"open\",\"device\":1,\"mode\":\"uhd\"}"));
  EXPECT_EQ(failure("failed", "S_FALSE"), client.ask("{\"cmd\":\"open\",\"device\":2}"));
  EXPECT_EQ(failure("failed", "unknown"),
            client.ask("{\"cmd\":\"open\",\"device\":2,\"mode\":\"uhd\"}"));
  EXPECT_EQ(failure("failed", "could not allocate a video frame"),
            client.ask("{\"cmd\":\"open\",\"device\":2,\"mode\":\"4k\"}"));
}

// A driver older than 16.0 refuses the output interface: the code stays,
// the message says why.
TEST_F(Serve, AnOlderDriverIsNamedInTheMessage) {
  EXPECT_EQ(failure("no_output", "device has no output interface: the driver is Desktop Video "
                                 "15.3.1, and corvane needs 16.0 or later"),
            serve("[device]\nname = A\n[api]\nversion = 15.3.1\ninterfaces_16 = no\n")
                .ask("{\"cmd\":\"open\"}"));
}

TEST_F(Serve, SecondProgramFindsTheCardInUse) {
  ServeClient& first = serve(kCard);
  EXPECT_EQ(kHd, first.ask("{\"cmd\":\"open\"}"));
  ServeClient& second = another();
  EXPECT_EQ(failure("in_use", "E_ACCESSDENIED (device already in use)"),
            second.ask("{\"cmd\":\"open\"}"));
  EXPECT_EQ(0, second.finish());
  EXPECT_EQ("{\"ok\":true}", first.ask("{\"cmd\":\"close\"}"));
  EXPECT_EQ(kHd, another().ask("{\"cmd\":\"open\"}"));
}

TEST_F(Serve, SetModeChecksTheWordBeforeTheDevice) {
  ServeClient& client = serve("[device]\nname = A\nmodes = hd uhd\ncreate_frame.4k = E_FAIL\n"
                              "probe.4k = S_OK yes\n");
  EXPECT_EQ(kHd, client.ask("{\"cmd\":\"open\"}"));
  EXPECT_EQ(kUnknownResolution, client.ask("{\"cmd\":\"setmode\",\"mode\":\"UHD\"}"));
  EXPECT_EQ(kUnknownResolution, client.ask("{\"cmd\":\"setmode\",\"mode\":\"8k\"}"));
  EXPECT_EQ(patchAnswer(kHdFull),
            client.ask("{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3}"));
  EXPECT_EQ(kUhd, client.ask("{\"cmd\":\"setmode\",\"mode\":\"uhd\"}"));
  EXPECT_EQ(kUhd, client.ask("{\"cmd\":\"setmode\",\"mode\":\"uhd\"}"));
  EXPECT_EQ(kRestored, client.ask("{\"cmd\":\"setmode\",\"mode\":\"4k\"}"));
  EXPECT_EQ(patchAnswer(kUhdFull),
            client.ask("{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3}"));
  EXPECT_EQ(kHd, client.ask("{\"cmd\":\"setmode\"}"));  // no mode key means hd
}

TEST_F(Serve, SetModeToTheCurrentModeTouchesNothing) {
  ServeClient& client = serve(kCard);
  EXPECT_EQ(kHd, client.ask("{\"cmd\":\"open\"}"));
  size_t before = session().logLines().size();
  EXPECT_EQ(kHd, client.ask("{\"cmd\":\"setmode\",\"mode\":\"hd\"}"));
  EXPECT_EQ(before, session().logLines().size());
}

TEST_F(Serve, PatchAnswersItsWindow) {
  ServeClient& client = serve(kCard);
  EXPECT_EQ(kHd, client.ask("{\"cmd\":\"open\"}"));
  EXPECT_EQ(patchAnswer(kHd10),
            client.ask("{\"cmd\":\"patch\",\"r\":1023,\"g\":0,\"b\":0,\"area\":10}"));
  EXPECT_EQ("{\"ok\":true,\"x\":864,\"y\":486,\"w\":192,\"h\":108}",
            client.ask("{\"patch\":{\"r\" : 0, \"g\":1023,\"b\":0,\"area\":1.9}}"));
  EXPECT_EQ("{\"ok\":true,\"x\":0,\"y\":0,\"w\":1920,\"h\":1080,\"id\":12345678901234567890}",
            client.ask("{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3,\"id\":12345678901234567890}"));
  EXPECT_EQ(badRequest("patch needs both x and y, or neither"),
            client.ask("{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3,\"y\":0}"));
}

TEST_F(Serve, AlignDefaultsOrderAndSixteenBitLevels) {
  ServeClient& client = serve(kCard);
  EXPECT_EQ(kHd, client.ask("{\"cmd\":\"open\"}"));
  EXPECT_EQ(kAlignedHd,
            client.ask("{\"cmd\":\"align\"}"));
  EXPECT_EQ("{\"ok\":true,\"inner\":{\"w\":859,\"h\":483},\"outer\":{\"w\":429,\"h\":241}}",
            client.ask("{\"cmd\":\"align\",\"a1\":20,\"a2\":5}"));
  EXPECT_EQ("{\"ok\":true,\"inner\":{\"w\":1,\"h\":1},\"outer\":{\"w\":1920,\"h\":1080}}",
            client.ask("{\"cmd\":\"align\",\"a1\":-50,\"a2\":4294967296,\"bg\":-1,"
                       "\"line\":99999999,\"cross\":70000}"));
}

TEST_F(Serve, LongLinesArriveInPieces) {
  ServeClient& client = serve(kCard);
  std::string request = "{\"cmd\":\"list\"}";
  request += std::string(511 - request.size(), ' ');
  ASSERT_EQ(511u, request.size());
  std::string first = client.ask(request);
  EXPECT_THAT(first, HasSubstr("\"devices\""));
  EXPECT_EQ(kUnrecognised, client.nextLine());
  // A NUL byte hides the rest of its piece.
  client.write(std::string("{\"cmd\":\"clo\0se\"}\n", 17));
  EXPECT_EQ(kUnrecognised, client.nextLine());
}

TEST_F(Serve, QuitAndEndOfInputReleaseTheCard) {
  for (bool quit : {true, false}) {
    SCOPED_TRACE(quit ? "quit" : "end of input");
    ServeClient& client = serve(kCard);
    EXPECT_EQ(kHd, client.ask("{\"cmd\":\"open\"}"));
    if (quit) client.write("{\"cmd\":\"quit\"}\n{\"cmd\":\"list\"}\n");
    client.closeInput();
    EXPECT_EQ("", client.readAll());
    endServing();
    EXPECT_EQ(1u, session().countLogLines("DisableVideoOutput()"));
    EXPECT_EQ(1u, session().countLogLines("Next()"));  // the list after quit never ran
  }
}

TEST_F(Serve, HostClosingItsReadEndDoesNotKillTheHolder) {
  ServeClient& client = serve(kCard);
  EXPECT_EQ(kHd, client.ask("{\"cmd\":\"open\"}"));
  client.closeOutput();
  for (int i = 0; i < 20; ++i) client.write("{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3}\n");
  endServing();
  EXPECT_EQ(1u, session().countLogLines("DisableVideoOutput()"));
  EXPECT_EQ(20u, session().countLogLines("DisplayVideoFrameSync"));
}

// Modes at a rate: the "modes" request, and rate names wherever a mode is
// named.
using ServeModes = ServeTest;

TEST_F(ServeModes, AnswersEveryResolutionAndRate) {
  ServeClient& client = serve(
      "[device]\nname = Any\n"
      "[device]\nname = Slow \\\"one\\\"\nmodes = hd@23.98 hd uhd@25 4k@60\n");
  EXPECT_EQ(
      "{\"ok\":true,\"device\":1,\"name\":\"Slow \\\"one\\\"\",\"modes\":{"
      "\"hd\":{\"23.98\":true,\"24\":true,\"25\":false,\"29.97\":false,\"30\":false,"
      "\"50\":false,\"59.94\":false,\"60\":false},"
      "\"uhd\":{\"23.98\":false,\"24\":false,\"25\":true,\"29.97\":false,\"30\":false,"
      "\"50\":false,\"59.94\":false,\"60\":false},"
      "\"4k\":{\"23.98\":false,\"24\":false,\"25\":false,\"29.97\":false,\"30\":false,"
      "\"50\":false,\"59.94\":false,\"60\":true}}}",
      client.ask("{\"cmd\":\"modes\",\"device\":1}"));
  // No device key means device 0, which has every mode.
  const std::string every = client.ask("{\"cmd\":\"modes\"}");
  EXPECT_THAT(every, ::testing::StartsWith("{\"ok\":true,\"device\":0,\"name\":\"Any\""));
  EXPECT_THAT(every, ::testing::Not(HasSubstr("false")));
}

TEST_F(ServeModes, ModesErrors) {
  ServeClient& client = serve("[device]\nname = In only\noutput = no\n");
  EXPECT_EQ(kNoDevice, client.ask("{\"cmd\":\"modes\",\"device\":1}"));
  EXPECT_EQ(kNoDevice, client.ask("{\"cmd\":\"modes\",\"device\":-1}"));
  EXPECT_EQ(kNoOutput, client.ask("{\"cmd\":\"modes\"}"));
  EXPECT_EQ(kNoApi, serveWithoutDriver().ask("{\"cmd\":\"modes\",\"device\":0}"));
}

TEST_F(ServeModes, OpenAndSetModeTakeRates) {
  ServeClient& client = serve("[device]\nname = A\nmodes = hd hd@59.94 uhd@50 4k@23.98\n", true);
  EXPECT_EQ(kHd, client.ask("{\"cmd\":\"open\",\"mode\":\"hd@59.94\"}"));
  EXPECT_EQ(kUhd, client.ask("{\"cmd\":\"setmode\",\"mode\":\"uhd@50\"}"));
  EXPECT_EQ("{\"ok\":true,\"width\":4096,\"height\":2160}",
            client.ask("{\"cmd\":\"setmode\",\"mode\":\"4k@23.98\"}"));
  EXPECT_EQ(kHd, client.ask("{\"cmd\":\"setmode\",\"mode\":\"hd@24\"}"));
  // Names that are no mode, and modes the card lacks.
  EXPECT_EQ(kUnknownResolution, client.ask("{\"cmd\":\"setmode\",\"mode\":\"hd@61\"}"));
  EXPECT_EQ(kUnknownResolution, client.ask("{\"cmd\":\"setmode\",\"mode\":\"hd@\"}"));
  EXPECT_EQ(kUnsupported, client.ask("{\"cmd\":\"setmode\",\"mode\":\"hd@60\"}"));
  EXPECT_EQ(kUnsupported, client.ask("{\"cmd\":\"open\",\"mode\":\"uhd\"}"));
  endServing();
  EXPECT_EQ(1u, session().countLogLines("EnableVideoOutput(mode=Hp59 flags=0) = 0x00000000"));
  EXPECT_EQ(1u, session().countLogLines("EnableVideoOutput(mode=4k50 flags=0) = 0x00000000"));
  EXPECT_EQ(1u, session().countLogLines("EnableVideoOutput(mode=4d23 flags=0) = 0x00000000"));
  EXPECT_EQ(1u, session().countLogLines("EnableVideoOutput(mode=24ps flags=0) = 0x00000000"));
}

}  // namespace
