// The colour signalling of `corvane pgen`: from its command line, and from
// the IS_HDR and COLORIMETRY settings a host sends.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "support/pgen_child.h"

namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;

const std::string kEnd = "\x02\r";

std::string lastDisplay(const SimSession& session) {
  std::string last;
  for (const std::string& line : session.logLines()) {
    if (line.find("DisplayVideoFrameSync") != std::string::npos) last = line;
  }
  return last;
}

TEST(PgenHdr, HostsTurnHdrAndRec2020OnAndOff) {
  const struct {
    const char* command;
    const char* reply;
    const char* line = nullptr;  // what corvane says of it, if anything
    ::testing::Matcher<std::string> display = ::testing::_;  // the last frame shown so far
  } rows[] = {
      {"CMD:GET_PGENERATOR_CONF_IS_HDR", "OK:0"},
      // The picture on the card is shown again, now with HDR10's metadata.
      {"CMD:SET_PGENERATOR_CONF_IS_HDR:1", "OK:",
       "signalling: pq colorspace rec2020 primaries rec2020 max-luminance 1000 min-luminance "
       "0.0001 max-cll 1000 max-fall 400",
       HasSubstr("flags=0x2 cspc=2020 eotf=2")},
      {"CMD:GET_PGENERATOR_CONF_IS_HDR", "OK:1"},
      {"CMD:GET_PGENERATOR_CONF_COLORIMETRY", "OK:9"},
      // Later patches carry it.
      {"RGB=RECTANGLE;100,100;100;235,235,235;16,16,16;-1,-1", "OK", nullptr,
       HasSubstr("flags=0x2 cspc=2020 eotf=2")},
      // Off again: SDR in Rec.2020 until the colorimetry goes back to BT.709,
      // on a new frame with the picture and none of PQ's values.
      {"CMD:SET_IS_HDR:0", "OK:", "signalling: sdr colorspace rec2020\n",
       EndsWith(") = 0x00000000 flags=0x0 cspc=2020 eotf=0")},
      {"CMD:SET_COLORIMETRY:2", "OK:", "signalling: sdr colorspace rec709\n"},
      // SDR in Rec.709: a frame without metadata.
      {"CMD:GET_PGENERATOR_CONF_IS_HDR", "OK:0", nullptr, EndsWith(") = 0x00000000")},
  };
  SimSession session("[device]\nname = A\n");
  PgenChild pgen(session);
  LoopbackSocket host = pgen.connect();
  for (const auto& row : rows) {
    SCOPED_TRACE(row.command);
    EXPECT_EQ(row.reply + kEnd, exchange(&host, row.command + kEnd, row.reply + kEnd));
    if (row.line != nullptr) {
      EXPECT_TRUE(pgen.readUntil(row.line));
    }
    EXPECT_THAT(lastDisplay(session), row.display);
  }
  pgen.endWithSignal();
}

TEST(PgenHdr, TheCommandLineSaysWhatHdrIsAndACardWithoutItRefuses) {
  {
    SimSession session("[device]\nname = A\n");
    PgenChild pgen(session, {"0", "hd", "--hdr", "hlg"});
    EXPECT_THAT(pgen.startLines()[1], HasSubstr("signalling: hlg colorspace rec2020"));
    LoopbackSocket host = pgen.connect();
    EXPECT_EQ("OK:1" + kEnd,
              exchange(&host, "CMD:GET_PGENERATOR_CONF_IS_HDR" + kEnd, "OK:1" + kEnd));
    // Off, then on again: HLG, as the command line said.
    exchange(&host, "CMD:SET_IS_HDR:0" + kEnd, "OK:" + kEnd);
    EXPECT_EQ("OK:" + kEnd, exchange(&host, "CMD:SET_IS_HDR:1" + kEnd, "OK:" + kEnd));
    EXPECT_THAT(lastDisplay(session), HasSubstr("eotf=3"));
    pgen.endWithSignal(SIGINT);
  }
  SimSession session("[device]\nname = Plain\nhdr = no\n");
  PgenChild pgen(session);
  LoopbackSocket host = pgen.connect();
  EXPECT_EQ("ERR:not applied" + kEnd,
            exchange(&host, "CMD:SET_IS_HDR:1" + kEnd, "ERR:not applied" + kEnd));
  EXPECT_TRUE(pgen.readUntil("setting not applied: CMD:SET_IS_HDR:1: "));
  EXPECT_EQ("OK:0" + kEnd, exchange(&host, "CMD:GET_PGENERATOR_CONF_IS_HDR" + kEnd, "OK:0" + kEnd));
  pgen.endWithSignal();
}

}  // namespace
