// Modes at a rate on the serve protocol: the "modes" request, and rate
// names wherever a mode is named.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "serve_answers.h"
#include "support/serve_client.h"

namespace {

TEST(ServeModes, AnswersEveryResolutionAndRate) {
  SimSession session(
      "[device]\nname = Any\n"
      "[device]\nname = Slow \\\"one\\\"\nmodes = hd@23.98 hd uhd@25 4k@60\n");
  ServeClient client(session);
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
  EXPECT_EQ(0, client.finish());
  EXPECT_EQ("", session.audit());
}

TEST(ServeModes, ModesErrors) {
  SimSession session("[device]\nname = In only\noutput = no\n");
  ServeClient client(session);
  EXPECT_EQ(kNoDevice, client.ask("{\"cmd\":\"modes\",\"device\":1}"));
  EXPECT_EQ(kNoDevice, client.ask("{\"cmd\":\"modes\",\"device\":-1}"));
  EXPECT_EQ("{\"ok\":false,\"code\":\"no_output\",\"error\":\"device has no output interface\"}",
            client.ask("{\"cmd\":\"modes\"}"));
  EXPECT_EQ(0, client.finish());
  EXPECT_EQ("", session.audit());

  ServeClient missing(SimSession::withoutDriver());
  EXPECT_EQ(
      "{\"ok\":false,\"code\":\"no_api\",\"error\":\"Blackmagic Desktop Video does not "
      "appear to be installed\"}",
      missing.ask("{\"cmd\":\"modes\",\"device\":0}"));
  EXPECT_EQ(0, missing.finish());
}

TEST(ServeModes, TheWordComesAfterEveryEarlierCommand) {
  SimSession session(kCard);
  ServeClient client(session);
  // A list answer names "modes" too: a line holding both is a list.
  EXPECT_THAT(client.ask("{\"cmd\":\"list\",\"modes\":1}"), ::testing::HasSubstr("\"devices\""));
  EXPECT_EQ(kNotOpen, client.ask("{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3,\"x\":\"modes\"}"));
  EXPECT_EQ(0, client.finish());
}

TEST(ServeModes, OpenAndSetModeTakeRates) {
  SimSession session("[device]\nname = A\nmodes = hd hd@59.94 uhd@50 4k@23.98\n", true);
  ServeClient client(session);
  EXPECT_EQ(kHd, client.ask("{\"cmd\":\"open\",\"mode\":\"hd@59.94\"}"));
  EXPECT_EQ(kUhd, client.ask("{\"cmd\":\"setmode\",\"mode\":\"uhd@50\"}"));
  EXPECT_EQ("{\"ok\":true,\"width\":4096,\"height\":2160}",
            client.ask("{\"cmd\":\"setmode\",\"mode\":\"4k@23.98\"}"));
  EXPECT_EQ(kHd, client.ask("{\"cmd\":\"setmode\",\"mode\":\"hd@24\"}"));
  // Names that are no mode, and modes the card lacks.
  EXPECT_EQ(kUnknownResolution, client.ask("{\"cmd\":\"setmode\",\"mode\":\"hd@61\"}"));
  EXPECT_EQ(kUnknownResolution, client.ask("{\"cmd\":\"setmode\",\"mode\":\"hd@\"}"));
  const char kUnsupportedAnswer[] =
      "{\"ok\":false,\"code\":\"unsupported\",\"error\":\"device cannot output 10-bit RGB "
      "4:4:4 at this resolution\"}";
  EXPECT_EQ(kUnsupportedAnswer, client.ask("{\"cmd\":\"setmode\",\"mode\":\"hd@60\"}"));
  EXPECT_EQ(kUnsupportedAnswer, client.ask("{\"cmd\":\"open\",\"mode\":\"uhd\"}"));
  EXPECT_EQ(0, client.finish());
  EXPECT_EQ("", session.audit());
  EXPECT_EQ(1u, session.countLogLines("EnableVideoOutput(mode=Hp59 flags=0) = 0x00000000"));
  EXPECT_EQ(1u, session.countLogLines("EnableVideoOutput(mode=4k50 flags=0) = 0x00000000"));
  EXPECT_EQ(1u, session.countLogLines("EnableVideoOutput(mode=4d23 flags=0) = 0x00000000"));
  EXPECT_EQ(1u, session.countLogLines("EnableVideoOutput(mode=24ps flags=0) = 0x00000000"));
}

}  // namespace
