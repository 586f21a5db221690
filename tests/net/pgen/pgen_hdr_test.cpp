// The colour signalling of `corvane pgen`: from its command line, and from
// the IS_HDR and COLORIMETRY settings a host sends.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/pgen_child.h"

namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;

const std::string kEnd = "\x02\r";

std::vector<std::string> displays(const SimSession& session) {
  std::vector<std::string> shown;
  for (const std::string& line : session.logLines()) {
    if (line.find("DisplayVideoFrameSync") != std::string::npos) shown.push_back(line);
  }
  return shown;
}

std::string lastDisplay(const SimSession& session) {
  const std::vector<std::string> shown = displays(session);
  return shown.empty() ? "" : shown.back();
}

// The end of a display line: what the frame carried, as the card recorded it.
std::string carried(const std::string& metadata) { return ") = 0x00000000" + metadata; }

const std::string kPq1000 =
    " flags=0x2 cspc=2020 eotf=2 hdrx=0.708 hdry=0.292 hdgx=0.17 hdgy=0.797 hdbx=0.131 "
    "hdby=0.046 hdwx=0.3127 hdwy=0.329 hdml=1000 hmil=0.0001 mcll=1000 fall=400";
const std::string kP3 = " hdrx=0.68 hdry=0.32 hdgx=0.265 hdgy=0.69 hdbx=0.15 hdby=0.06";

// pgen_client's settings, under both of the names hosts use: each answered
// OK: only once the frame on the card carries it (one new frame shown per
// change, none for what is already true), refused with its reason
// otherwise, and read back as sent.
TEST(PgenHdr, HostsSetTheSignallingAndReadBackWhatTheFrameCarries) {
  const char* pqFirst =
      "ERR:the mastering display's values go out with PQ alone, and the card signals sdr; send "
      "EOTF 2 first";
  const struct {
    const char* command;
    std::string reply;
    int shown;             // frames shown by it
    std::string metadata;  // the end of the last display line
  } rows[] = {
      {"CMD:GET_PGENERATOR_CONF_IS_HDR", "OK:0", 0, carried("")},
      {"CMD:SET_PGENERATOR_CONF_EOTF:1",
       "ERR:EOTF 1 (gamma HDR) has no signalling corvane sends: 0 SDR, 2 PQ, 3 HLG", 0,
       carried("")},
      {"CMD:SET_PGENERATOR_CONF_MAX_LUMA:600", pqFirst, 0, carried("")},
      {"CMD:SET_PGENERATOR_CONF_IS_SDR:0", "OK:", 1, carried(kPq1000)},
      {"CMD:SET_PGENERATOR_CONF_IS_HDR:1", "OK:", 0, carried(kPq1000)},
      {"CMD:SET_PGENERATOR_CONF_EOTF:2", "OK:", 0, carried(kPq1000)},
      {"CMD:SET_PGENERATOR_CONF_EOTF:4", "ERR:EOTF is 0 SDR, 2 PQ or 3 HLG", 0, carried(kPq1000)},
      {"CMD:SET_PRIMARIES:5", "ERR:primaries are 0-4", 0, carried(kPq1000)},
      {"CMD:SET_PGENERATOR_CONF_PRIMARIES:3", "OK:", 1,
       carried(" flags=0x2 cspc=2020 eotf=2" + kP3 +
               " hdwx=0.314 hdwy=0.351 hdml=1000 hmil=0.0001 mcll=1000 fall=400")},
      {"CMD:SET_PGENERATOR_CONF_PRIMARIES:4", "OK:", 1,
       carried(" flags=0x2 cspc=2020 eotf=2" + kP3 +
               " hdwx=0.32168 hdwy=0.33767 hdml=1000 hmil=0.0001 mcll=1000 fall=400")},
      {"CMD:SET_PGENERATOR_CONF_PRIMARIES:1", "OK:", 1, carried(kPq1000)},
      {"CMD:SET_PGENERATOR_CONF_MAX_LUMA:600", "OK:", 1,
       " hdml=600 hmil=0.0001 mcll=1000 fall=400"},
      {"CMD:SET_PGENERATOR_CONF_MIN_LUMA:50", "OK:", 1,
       " hdml=600 hmil=0.005 mcll=1000 fall=400"},
      {"CMD:SET_PGENERATOR_CONF_MAX_CLL:800", "OK:", 1, " hmil=0.005 mcll=800 fall=400"},
      {"CMD:SET_PGENERATOR_CONF_MAX_FALL:200", "OK:", 1, " mcll=800 fall=200"},
      {"CMD:SET_PGENERATOR_CONF_MAX_FALL:200", "OK:", 0, " mcll=800 fall=200"},
      {"CMD:SET_PGENERATOR_CONF_MIN_LUMA:0",
       "ERR:minimum mastering luminance must be 1-65535 (0.0001-6.5535 cd/m2)", 0,
       " mcll=800 fall=200"},
      {"CMD:MULTIPLE:GET_PGENERATOR_CONF_EOTF:GET_PGENERATOR_CONF_PRIMARIES:GET_PGENERATOR_CONF_"
       "MAX_LUMA:GET_PGENERATOR_CONF_MIN_LUMA:GET_PGENERATOR_CONF_MAX_CLL:GET_PGENERATOR_CONF_"
       "MAX_FALL:GET_PGENERATOR_CONF_IS_HDR",
       "OK:\nGET_PGENERATOR_CONF_EOTF:2\nGET_PGENERATOR_CONF_PRIMARIES:1\nGET_PGENERATOR_CONF_MAX_"
       "LUMA:600\nGET_PGENERATOR_CONF_MIN_LUMA:50\nGET_PGENERATOR_CONF_MAX_CLL:800\nGET_"
       "PGENERATOR_CONF_MAX_FALL:200\nGET_PGENERATOR_CONF_IS_HDR:1",
       0, " mcll=800 fall=200"},
      // Later patches carry it.
      {"RGB=RECTANGLE;100,100;100;235,235,235;16,16,16;-1,-1", "OK", 1,
       " hdml=600 hmil=0.005 mcll=800 fall=200"},
      {"CMD:SET_RGB_QUANT_RANGE:1",
       "ERR:corvane sends the codes as the host sends them and converts no range: send "
       "limited-range codes (64-940) instead",
       0, " fall=200"},
      {"CMD:GET_OUTPUT_RANGE", "OK:RGB 10-bit, codes as sent (no range conversion)", 0,
       " fall=200"},
      {"CMD:SET_PGENERATOR_CONF_MAX_LUMA:70000",
       "ERR:maximum mastering luminance must be 1-65535 cd/m2", 0, " fall=200"},
      {"CMD:SET_PGENERATOR_CONF_COLOR_FORMAT:0", "OK:", 0, " fall=200"},
      {"CMD:SET_COLOR_FORMAT:1", "ERR:corvane sends RGB 4:4:4 alone, not YCbCr", 0, " fall=200"},
      {"CMD:SET_PGENERATOR_CONF_MAX_BPC:10", "OK:", 0, " fall=200"},
      {"CMD:SET_MAX_BPC:12", "ERR:corvane sends 10 bits per component alone", 0, " fall=200"},
      {"CMD:SET_PGENERATOR_CONF_IS_LL_DOVI:0", "OK:", 0, " fall=200"},
      {"CMD:SET_PGENERATOR_CONF_DV_STATUS:1", "ERR:corvane sends no Dolby Vision", 0, " fall=200"},
      {"CMD:SET_MODE:3", "ERR:corvane keeps the mode it was started with", 0, " fall=200"},
      {"CMD:SET_OUTPUT_RANGE:2", "ERR:a setting corvane does not know", 0, " fall=200"},
      {"CMD:SET_IS_HDR:yes", "ERR:a setting is CMD:SET_<name>:<whole number>", 0, " fall=200"},
      {"SETCONF:OTHER:1", "ERR:a setting is CMD:SET_<name>:<whole number>", 0, " fall=200"},
      {"CMD:SET_COLORIMETRY:5", "ERR:COLORIMETRY is 0, 2 (BT.709) or 9 (BT.2020)", 0, " fall=200"},
      // HLG carries none of PQ's values, and reads none back.
      {"CMD:SET_PGENERATOR_CONF_EOTF:3", "OK:", 1, carried(" flags=0x2 cspc=2020 eotf=3")},
      {"CMD:MULTIPLE:GET_PGENERATOR_CONF_EOTF:GET_PGENERATOR_CONF_MAX_LUMA:GET_PGENERATOR_CONF_"
       "PRIMARIES",
       "OK:\nGET_PGENERATOR_CONF_EOTF:3\nGET_PGENERATOR_CONF_MAX_LUMA:0\nGET_PGENERATOR_CONF_"
       "PRIMARIES:1",
       0, carried(" flags=0x2 cspc=2020 eotf=3")},
      // Off: SDR in Rec.2020 until the colorimetry goes back to BT.709.
      {"CMD:SET_PGENERATOR_CONF_EOTF:0", "OK:", 1, carried(" flags=0x0 cspc=2020 eotf=0")},
      {"CMD:SET_COLORIMETRY:2", "OK:", 1, carried("")},
      {"CMD:GET_PGENERATOR_CONF_IS_SDR", "OK:1", 0, carried("")},
  };
  SimSession session("[device]\nname = A\n");
  PgenChild pgen(session);
  LoopbackSocket host = pgen.connect();
  for (const auto& row : rows) {
    SCOPED_TRACE(row.command);
    const size_t before = displays(session).size();
    EXPECT_EQ(row.reply + kEnd, exchange(&host, row.command + kEnd, row.reply + kEnd));
    EXPECT_EQ(before + row.shown, displays(session).size());
    EXPECT_THAT(lastDisplay(session), EndsWith(row.metadata));
  }
  EXPECT_TRUE(pgen.readUntil("setting refused: CMD:SET_RGB_QUANT_RANGE:1 (corvane sends"));
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
