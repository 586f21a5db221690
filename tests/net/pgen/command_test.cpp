// One command in, its reply bytes and what corvane does about it out: the
// hosts' literal commands, then everything else a network can send.
#include "net/pgen/command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "net/pgen/literal_commands.h"

namespace {

using ::testing::HasSubstr;

const PgenFacts kHd = {1920, 1080, "hd", "studio"};

// The command without its terminator, as the reader yields it; templates
// uploaded go to `templates`, or nowhere lasting.
PgenResponse interpret(const std::string& terminated, const PgenFacts& screen = kHd,
                       PgenTemplates* templates = nullptr) {
  EXPECT_EQ("\x02\r", terminated.substr(terminated.size() - 2)) << terminated;
  PgenTemplates none;
  return interpretPgenCommand(terminated.substr(0, terminated.size() - 2), screen,
                              templates != nullptr ? templates : &none);
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
      {literal::kTemplatePatch, PgenAction::kReply}, {literal::kTemplateUpload, PgenAction::kReply},
      {literal::kTemplatePatch, PgenAction::kPaint}, {literal::kTemplateDisk, PgenAction::kPaint},
      {literal::kEndText, PgenAction::kPaint},      {literal::kEndTemplate, PgenAction::kPaint},
  };
  PgenTemplates templates;  // the patch before the upload finds no template
  for (const auto& c : cases) {
    EXPECT_EQ(c.action, interpret(c.command, kHd, &templates).action) << c.command;
  }
  // HCFR's client counts a reply of exactly four bytes as success.
  EXPECT_EQ("OK\x02\r", interpret(literal::kHcfrPatch).reply);
  EXPECT_EQ("OK\x02\r", interpret(literal::kTemplatePatch, kHd, &templates).reply);
}

TEST(PgenCommand, PatchesAreDescribedAndPainted) {
  PgenResponse hcfr = interpret(literal::kHcfrPatch);
  EXPECT_EQ("patch 512 512 512 window 607x341 at (656,369) on 0 0 0", pictureLine(hcfr.picture));
  EXPECT_EQ(656, hcfr.picture.rects.at(0).rect.x);
  EXPECT_EQ(341, hcfr.picture.rects.at(0).rect.h);
  // HCFR's text: 8-bit codes as 10-bit ones, at its position and size.
  EXPECT_EQ("patch on 0 0 0; text 'End of sequence' 64 512 512 size 14 at (100,300)",
            pictureLine(interpret(literal::kEndText).picture));
  PgenResponse client = interpret(literal::kPgenClientPatch);
  EXPECT_EQ("patch 512 512 512 window 607x342 at (657,369) on 0 0 0", pictureLine(client.picture));
  EXPECT_EQ(512, client.picture.rects.at(0).colour.g);
  PgenResponse uhd = interpret(literal::kHcfrPatch, {3840, 2160, "uhd", "studio"});
  EXPECT_EQ("patch 512 512 512 window 607x341 at (1616,909) on 0 0 0", pictureLine(uhd.picture));
  EXPECT_EQ("OK:3840x2160\x02\r", interpret(literal::kGetResolution, {3840, 2160, "uhd", ""}).reply);
  EXPECT_EQ("OK:MVszODQweDIxNjAgdWhkXQ==\x02\r",
            interpret(literal::kGetModesAvailable, {3840, 2160, "uhd", ""}).reply);
}

TEST(PgenCommand, TemplatesAreStoredByNameWithinBoundsAndDrawn) {
  PgenTemplates templates;
  const PgenResponse upload = interpret(literal::kTemplateUpload, kHd, &templates);
  EXPECT_EQ("OK\x02\r", upload.reply);
  EXPECT_EQ("template 'HCFR' stored: 1 rectangle, 1 text block", upload.line);
  EXPECT_EQ("patch 504 504 504 window 607x341 at (656,369) on 64 64 64; text 'RGB Triplet "
            "126,126,126' 80 512 512 size 18 at (785,20)",
            pictureLine(interpret(literal::kTemplatePatch, kHd, &templates).picture));
  EXPECT_EQ("patch 504 504 504 window 1920x1080 at (0,0) on 504 504 504",
            pictureLine(interpret(literal::kTemplateDisk, kHd, &templates).picture));
  // Blocks of their own colours, and one without a rectangle.
  interpret("SETCONF:HCFR:TEMPLATERAMDISK:DRAW=RECTANGLE\nDIM=9,9\nRGB=1,2,3\nPOSITION=0,0\n"
            "END=1\r\n\nDRAW=RECTANGLE\nDIM=4,4\nRGB=DYNAMIC\nPOSITION=-1,-1,-2,3\nEND=1\x02\r",
            kHd, &templates);
  EXPECT_EQ("patch 4 8 12 window 9x9 at (0,0); 40 40 40 window 4x4 at (956,541) on 0 0 4",
            pictureLine(
                interpret("TESTTEMPLATERAMDISK:HCFR:10,10,10;0,0,1\x02\r", kHd, &templates).picture));
  interpret("SETCONF:T:TEMPLATERAMDISK:DRAW=TEXT\nDIM=9,0\nRGB=1,2,3\nPOSITION=0,0\nTEXT=a\nEND=1"
            "\x02\r", kHd, &templates);
  EXPECT_EQ("ERR:no rectangle\x02\r", interpret("TESTTEMPLATERAMDISK:T:1,2,3;4,5,6\x02\r", kHd,
                                                &templates).reply);
  // 16 templates and 256 KiB of them: the least recently stored or drawn
  // make room. After 17 names (HCFR's and T's made room, then "0"), HCFR's
  // own upload is stored, and "2" (older than "1", which was drawn) makes
  // room for it.
  const auto draw = [&](const std::string& name) {
    return interpret("TESTTEMPLATERAMDISK:" + name + ":1,2,3;4,5,6\x02\r", kHd, &templates).reply;
  };
  for (int i = 0; i < 17; ++i) {
    EXPECT_EQ("OK\x02\r", interpret("SETCONF:" + std::to_string(i) + ":TEMPLATERAMDISK:\x02\r",
                                    kHd, &templates).reply);
    if (i == 2) {
      EXPECT_EQ("ERR:no rectangle\x02\r", draw("1"));  // "1" used: "2" goes first
    }
  }
  EXPECT_EQ("OK\x02\r", interpret(literal::kTemplateUpload, kHd, &templates).reply);
  EXPECT_EQ("OK\x02\r", interpret(literal::kTemplatePatch, kHd, &templates).reply);
  for (const char* gone : {"T", "0", "2"}) EXPECT_EQ("ERR:unknown template\x02\r", draw(gone));
  EXPECT_EQ("ERR:no rectangle\x02\r", draw("1"));
  // Three of 90,000 bytes: the older ones, the first of them too, make room
  // for the third.
  const std::string big = ":TEMPLATERAMDISK:DRAW=TEXT\nDIM=9,0\nRGB=1,2,3\nPOSITION=0,0\nTEXT=" +
                          std::string(90000, 'x') + "\nEND=1\x02\r";
  for (const char* name : {"A", "B", "C", "B"}) {
    EXPECT_EQ("OK\x02\r", interpret(std::string("SETCONF:") + name + big, kHd, &templates).reply);
  }
  EXPECT_EQ("ERR:unknown template\x02\r", draw("A"));
  EXPECT_EQ("ERR:no rectangle\x02\r", draw("C"));
  // One larger than the whole store is still refused.
  EXPECT_EQ("ERR:template store full\x02\r",
            interpret("SETCONF:D:TEMPLATERAMDISK:DRAW=TEXT\nDIM=9,0\nRGB=1,2,3\nPOSITION=0,0\nTEXT=" +
                          std::string(270000, 'x') +
                          "\nEND=1\x02\r", kHd, &templates).reply);
  EXPECT_EQ(PgenAction::kSetting, interpret("SETCONF:OTHER:1\x02\r", kHd, &templates).action);
  // 32 lines of text are a template; a 33rd makes it one no host may draw.
  std::string texts;
  for (int i = 0; i < 33; ++i) texts += "DRAW=TEXT\nDIM=9,0\nRGB=1,2,3\nPOSITION=0,0\nTEXT=t\nEND=1\n";
  const std::string rect = "DRAW=RECTANGLE\nDIM=9,9\nRGB=DYNAMIC\nPOSITION=0,0\nEND=1\x02\r";
  EXPECT_EQ("ERR:bad template\x02\r",
            interpret("SETCONF:E:TEMPLATERAMDISK:" + texts + rect, kHd, &templates).reply);
  texts.erase(0, texts.find("DRAW", 1));
  EXPECT_EQ("OK\x02\r", interpret("SETCONF:E:TEMPLATERAMDISK:" + texts + rect, kHd, &templates).reply);
}

TEST(PgenCommand, IgnoredCommandsSaySo) {
  EXPECT_EQ("ignored: HALT (corvane does not halt or restart the computer)",
            interpret(literal::kHalt).line);
  EXPECT_THAT(interpret(literal::kRestart).line, HasSubstr("ignored: RESTARTPGENERATOR"));
  EXPECT_EQ("", interpret(literal::kIsAlive).line);  // queries print nothing
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
      {"RGB=TEXT;0,0;100;1,1,1;0,0,0;0,0;x", "ERR:bad command\x02\r",
       "bad command: RGB=TEXT;0,0;100;1,1,1;0,0,0;0,0;x (the text size must be '<1-1000>,<n>')"},
      {"RGB=TEXT;14,0;100;1,1,1", "ERR:bad command\x02\r",
       "bad command: RGB=TEXT;14,0;100;1,1,1 (RGB=TEXT needs size, res, colour, background, "
       "position and text)"},
      {"RGB=", "ERR:unsupported\x02\r",
       "unsupported command: RGB= (only RECTANGLE and RECTANGLE10bit are drawn, not '')"},
      {"CMD:MULTIPLE:GET_RESOLUTION:GET_X::\x01", "OK:\nGET_RESOLUTION:1920x1080\x02\r",
       "unsupported queries in CMD:MULTIPLE: GET_X, \\x01"},
      {"CMD:MULTIPLE:", "OK:\x02\r", ""},
      {"TESTTEMPLATERAMDISK:HCFR:126,126,126;16,16,16", "ERR:unknown template\x02\r",
       "not drawn: TESTTEMPLATERAMDISK:HCFR:126,126,126;16,16,16 (no template 'HCFR' was "
       "uploaded)"},
      {"TESTTEMPLATE:Pattern:1,2,3", "ERR:unknown template\x02\r",
       "not drawn: TESTTEMPLATE:Pattern:1,2,3 (of the generator's own templates corvane draws "
       "PatternDynamic alone)"},
      {"TESTTEMPLATEDISK:PatternDynamic:256,0,0", "ERR:bad command\x02\r",
       "bad command: TESTTEMPLATEDISK:PatternDynamic:256,0,0 (colour 256,0,0 is not within "
       "0-255)"},
      {"SETCONF:T:TEMPLATERAMDISK:DRAW=RECTANGLE\nDIM=1,1\nRGB=DYNAMIC\nPOSITION=-1,-1",
       "ERR:bad template\x02\r",
       "bad template: SETCONF:T:TEMPLATERAMDISK:DRAW=RECTANGLE\\x0ADIM=1,1\\x0ARGB=DYNAMIC"
       "\\x0APOSITION=-1,-1 (the last block has no END=1)"},
      {"SETCONF:T:TEMPLATERAMDISK:DRAW=RECTANGLE\nDIM=1,1\nRGB=DYNAMIC\nEND=1",
       "ERR:bad template\x02\r",
       "bad template: SETCONF:T:TEMPLATERAMDISK:DRAW=RECTANGLE\\x0ADIM=1,1\\x0ARGB=DYNAMIC"
       "\\x0AEND=1 (a RECTANGLE block without POSITION)"},
      {"SETCONF:T:TEMPLATERAMDISK:DRAW=IMAGE\nEND=1", "ERR:unsupported\x02\r",
       "unsupported command: SETCONF:T:TEMPLATERAMDISK:DRAW=IMAGE\\x0AEND=1 (only DRAW=RECTANGLE "
       "and DRAW=TEXT are known, not 'IMAGE')"},
  };
  for (const auto& c : cases) {
    PgenTemplates none;
    const PgenResponse response = interpretPgenCommand(c.command, kHd, &none);
    EXPECT_EQ(c.reply, response.reply) << c.command;
    EXPECT_EQ(c.line, response.line) << c.command;
    EXPECT_EQ(PgenAction::kReply, response.action) << c.command;
  }
}

}  // namespace
