// The colour signalling of `corvane pgen`: from its command line, and from
// the IS_HDR and COLORIMETRY settings a host sends.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "support/pgen_child.h"

namespace {

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
  SimSession session("[device]\nname = A\n");
  PgenChild pgen(session);
  LoopbackSocket host = pgen.connect();
  EXPECT_EQ("OK:0" + kEnd, exchange(&host, "CMD:GET_PGENERATOR_CONF_IS_HDR" + kEnd, "OK:0" + kEnd));
  EXPECT_EQ("OK:" + kEnd, exchange(&host, "CMD:SET_PGENERATOR_CONF_IS_HDR:1" + kEnd, "OK:" + kEnd));
  EXPECT_TRUE(pgen.readUntil(
      "signalling: pq colorspace rec2020 primaries rec2020 max-luminance 1000 min-luminance "
      "0.0001 max-cll 1000 max-fall 400"));
  // The picture on the card was shown again, now with HDR10's metadata.
  EXPECT_THAT(lastDisplay(session), HasSubstr("flags=0x2 cspc=2020 eotf=2"));
  EXPECT_EQ("OK:1" + kEnd, exchange(&host, "CMD:GET_PGENERATOR_CONF_IS_HDR" + kEnd, "OK:1" + kEnd));
  EXPECT_EQ("OK:9" + kEnd,
            exchange(&host, "CMD:GET_PGENERATOR_CONF_COLORIMETRY" + kEnd, "OK:9" + kEnd));
  // Later patches carry it.
  EXPECT_EQ("OK" + kEnd, exchange(&host, "RGB=RECTANGLE;100,100;100;235,235,235;16,16,16;-1,-1" +
                                             kEnd, "OK" + kEnd));
  EXPECT_THAT(lastDisplay(session), HasSubstr("flags=0x2 cspc=2020 eotf=2"));
  // Off again: SDR in Rec.2020 until the colorimetry goes back to BT.709.
  EXPECT_EQ("OK:" + kEnd, exchange(&host, "CMD:SET_IS_HDR:0" + kEnd, "OK:" + kEnd));
  EXPECT_TRUE(pgen.readUntil("signalling: sdr colorspace rec2020\n"));
  // A new frame with the picture: none of PQ's values.
  EXPECT_THAT(lastDisplay(session),
              ::testing::EndsWith(") = 0x00000000 flags=0x0 cspc=2020 eotf=0"));
  EXPECT_EQ("OK:" + kEnd, exchange(&host, "CMD:SET_COLORIMETRY:2" + kEnd, "OK:" + kEnd));
  EXPECT_TRUE(pgen.readUntil("signalling: sdr colorspace rec709\n"));
  EXPECT_EQ("OK:0" + kEnd, exchange(&host, "CMD:GET_PGENERATOR_CONF_IS_HDR" + kEnd, "OK:0" + kEnd));
  // SDR in Rec.709: a frame without metadata.
  EXPECT_THAT(lastDisplay(session), ::testing::EndsWith(") = 0x00000000"));
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
