// Modes at a rate on the serve protocol: the "modes" request, and rate
// names wherever a mode is named.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "serve_answers.h"
#include "support/serve_fixture.h"

namespace {

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
  EXPECT_THAT(every, ::testing::Not(::testing::HasSubstr("false")));
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
