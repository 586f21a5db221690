// One command in, its reply bytes and what corvane does about it out: the
// hosts' literal commands, then everything else a network can send.
#include "net/pgen/command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "net/pgen/literal_commands.h"
#include "net/pgen/settings.h"

namespace {

using ::testing::HasSubstr;

const PgenScreen kHd = {1920, 1080, "hd", "studio"};

// The command without its terminator, as the reader yields it.
PgenResponse interpret(const std::string& terminated, const PgenScreen& screen = kHd) {
  EXPECT_EQ("\x02\r", terminated.substr(terminated.size() - 2)) << terminated;
  return interpretPgenCommand(terminated.substr(0, terminated.size() - 2), screen);
}

// The replies to each of the hosts' commands are checked byte for byte end
// to end (pgen_server_test.cpp); here, what the server does with them.
TEST(PgenCommand, ActionsOfTheHostsCommands) {
  const struct {
    const char* command;
    PgenAction action;
  } cases[] = {
      {literal::kIsAlive, PgenAction::kReply},      {literal::kQuit, PgenAction::kQuit},
      {literal::kSetHdr, PgenAction::kSetting},     {literal::kHalt, PgenAction::kReply},
      {literal::kHcfrPatch, PgenAction::kPaint},    {literal::kPgenClientPatch, PgenAction::kPaint},
      {literal::kTemplatePatch, PgenAction::kReply}, {literal::kEndText, PgenAction::kReply},
  };
  for (const auto& c : cases) EXPECT_EQ(c.action, interpret(c.command).action) << c.command;
  // HCFR's client counts a reply of exactly four bytes as success.
  EXPECT_EQ("OK\x02\r", interpret(literal::kHcfrPatch).reply);
  EXPECT_EQ("OK\x02\r", interpret(literal::kTemplatePatch).reply);
}

TEST(PgenCommand, PatchesAreDescribedAndPainted) {
  PgenResponse hcfr = interpret(literal::kHcfrPatch);
  EXPECT_EQ("patch 512 512 512 window 607x341 at (656,369) on 0 0 0", hcfr.line);
  EXPECT_EQ(656, hcfr.patch.window.rect.x);
  EXPECT_EQ(341, hcfr.patch.window.rect.h);
  PgenResponse client = interpret(literal::kPgenClientPatch);
  EXPECT_EQ("patch 512 512 512 window 607x342 at (657,369) on 0 0 0", client.line);
  EXPECT_EQ(512, client.patch.window.colour.g);
  PgenResponse uhd = interpret(literal::kHcfrPatch, {3840, 2160, "uhd", "studio"});
  EXPECT_EQ("patch 512 512 512 window 607x341 at (1616,909) on 0 0 0", uhd.line);
  EXPECT_EQ("OK:3840x2160\x02\r", interpret(literal::kGetResolution, {3840, 2160, "uhd", ""}).reply);
  EXPECT_EQ("OK:MVszODQweDIxNjAgdWhkXQ==\x02\r",
            interpret(literal::kGetModesAvailable, {3840, 2160, "uhd", ""}).reply);
}

TEST(PgenCommand, TemplatesAreAnsweredButNotDrawn) {
  for (const char* command : {literal::kTemplateUpload, literal::kTemplatePatch,
                              literal::kTemplateDisk, literal::kEndTemplate}) {
    EXPECT_TRUE(interpret(command).templateCommand) << command;
  }
  for (const char* command : {literal::kHcfrPatch, literal::kIsAlive, literal::kSetHdr}) {
    EXPECT_FALSE(interpret(command).templateCommand) << command;
  }
  EXPECT_EQ(PgenAction::kSetting, interpretPgenCommand("SETCONF:OTHER:1", kHd).action);
}

TEST(PgenCommand, SettingsAndIgnoredCommandsSaySo) {
  const Signalling sdr;
  EXPECT_EQ(
      "setting ignored: CMD:SET_OUTPUT_RANGE:2 (corvane keeps 10-bit RGB 4:4:4 at the mode it "
      "was started with)",
      readPgenSetting("CMD:SET_OUTPUT_RANGE:2", sdr, signallingFor(Eotf::kPq)).line);
  EXPECT_EQ("setting ignored: CMD:SET_COLORIMETRY:5 (a value corvane does not know for "
            "COLORIMETRY)",
            readPgenSetting("CMD:SET_COLORIMETRY:5", sdr, signallingFor(Eotf::kPq)).line);
  EXPECT_FALSE(readPgenSetting("CMD:SET_IS_HDR:yes", sdr, signallingFor(Eotf::kPq)).signalling);
  EXPECT_EQ("ignored: HALT (corvane does not halt or restart the computer)",
            interpret(literal::kHalt).line);
  EXPECT_THAT(interpret(literal::kRestart).line, HasSubstr("ignored: RESTARTPGENERATOR"));
  EXPECT_EQ("", interpret(literal::kIsAlive).line);  // queries print nothing
}

// IS_HDR and COLORIMETRY, under both of the names hosts use, ask for the
// card's signalling.
TEST(PgenCommand, HdrAndColorimetrySettingsAskForSignalling) {
  Signalling hlg = signallingFor(Eotf::kHlg);
  hlg.colourSpace = ColourSpace::kRec709;
  const Signalling current;  // plain SDR, Rec.709
  for (const char* on : {"CMD:SET_IS_HDR:1", "CMD:SET_PGENERATOR_CONF_IS_HDR:1"}) {
    const PgenSetting setting = readPgenSetting(on, current, hlg);
    EXPECT_TRUE(setting.signalling) << on;
    EXPECT_EQ(Eotf::kHlg, setting.wanted.eotf) << on;
    EXPECT_EQ(ColourSpace::kRec709, setting.wanted.colourSpace) << on;
  }
  Signalling pq = signallingFor(Eotf::kPq);
  pq.maxCll = 800;
  const PgenSetting off = readPgenSetting("CMD:SET_PGENERATOR_CONF_IS_HDR:0", pq, hlg);
  EXPECT_TRUE(off.signalling);
  EXPECT_EQ(Eotf::kSdr, off.wanted.eotf);
  EXPECT_EQ(ColourSpace::kRec2020, off.wanted.colourSpace);  // colorimetry decides that
  const PgenSetting bt2020 = readPgenSetting("CMD:SET_COLORIMETRY:9", current, hlg);
  EXPECT_TRUE(bt2020.signalling);
  EXPECT_EQ(Eotf::kSdr, bt2020.wanted.eotf);
  EXPECT_EQ(ColourSpace::kRec2020, bt2020.wanted.colourSpace);
  for (const char* rec709 : {"CMD:SET_PGENERATOR_CONF_COLORIMETRY:0", "CMD:SET_COLORIMETRY:2"}) {
    const PgenSetting setting = readPgenSetting(rec709, pq, hlg);
    EXPECT_EQ(ColourSpace::kRec709, setting.wanted.colourSpace) << rec709;
    EXPECT_EQ(Eotf::kPq, setting.wanted.eotf) << rec709;
    EXPECT_EQ(800, setting.wanted.maxCll) << rec709;
  }
}

TEST(PgenCommand, EverythingElseHasATerminatedReplyAndALine) {
  const struct {
    std::string command;
    std::string reply;
    std::string line;
  } cases[] = {
      {"", "ERR:unsupported\x02\r", "unsupported command: (empty)"},
      {"is_alive", "ERR:unsupported\x02\r", "unsupported command: is_alive"},
      {"CMD:GET_NOTHING", "ERR:unsupported\x02\r", "unsupported command: CMD:GET_NOTHING"},
      {"CMD:", "ERR:unsupported\x02\r", "unsupported command: CMD:"},
      {std::string("\x01\xff\x02garbage\0\n", 12), "ERR:unsupported\x02\r",
       "unsupported command: \\x01\\xFF\\x02garbage\\x00\\x0A"},
      {std::string(1000, 'A'), "ERR:unsupported\x02\r",
       "unsupported command: " + std::string(120, 'A') + "..."},
      {"RGB=RECTANGLE;1,1;0;256,0,0;0,0,0;-1,-1", "ERR:bad command\x02\r",
       "bad command: RGB=RECTANGLE;1,1;0;256,0,0;0,0,0;-1,-1 (colour 256,0,0 is not within "
       "0-255)"},
      {"RGB=", "ERR:unsupported\x02\r",
       "unsupported command: RGB= (only RECTANGLE and RECTANGLE10bit are drawn, not '')"},
      {"CMD:MULTIPLE:GET_RESOLUTION:GET_X::\x01", "OK:\nGET_RESOLUTION:1920x1080\x02\r",
       "unsupported queries in CMD:MULTIPLE: GET_X, \\x01"},
      {"CMD:MULTIPLE:", "OK:\x02\r", ""},
  };
  for (const auto& c : cases) {
    const PgenResponse response = interpretPgenCommand(c.command, kHd);
    EXPECT_EQ(c.reply, response.reply) << c.command;
    EXPECT_EQ(c.line, response.line) << c.command;
    EXPECT_EQ(PgenAction::kReply, response.action) << c.command;
  }
}

}  // namespace
