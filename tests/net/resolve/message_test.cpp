// Reading Resolve messages: the hosts' literal messages, the liberties XML
// allows, and every way a message can be wrong.
#include "net/resolve/message.h"

#include <gtest/gtest.h>

#include <cstring>

#include "net/resolve/literal_messages.h"

namespace {

ResolveMessage parsed(const std::string& xml) {
  ResolveMessage message;
  EXPECT_EQ("", parseResolveMessage(xml, &message).text()) << xml;
  return message;
}

std::string problemWith(const std::string& xml) {
  ResolveMessage message;
  const Failure refused = parseResolveMessage(xml, &message);
  EXPECT_TRUE(refused.is(FailureCode::kBadRequest)) << xml;
  return refused.message;
}

void expectColour(const HostColour& colour, uint32_t r, uint32_t g, uint32_t b, int bits) {
  EXPECT_EQ(r, colour.red);
  EXPECT_EQ(g, colour.green);
  EXPECT_EQ(b, colour.blue);
  EXPECT_EQ(bits, colour.bits);
}

TEST(ResolveMessage, TheHostsLiteralMessages) {
  // The sizes the hosts' frames announce.
  EXPECT_EQ(229u, std::strlen(literal::kGreyCm));
  EXPECT_EQ(206u, std::strlen(literal::kGreyLs));
  EXPECT_EQ(217u, std::strlen(literal::kBlackCm));
  EXPECT_EQ(155u, std::strlen(literal::kFullGreyNoDeclaration));
  EXPECT_EQ(229u, std::strlen(literal::kWhiteVideoCm));

  ResolveMessage grey = parsed(literal::kGreyCm);
  ASSERT_EQ(1u, grey.rects.size());
  expectColour(grey.rects[0].colour, 512, 512, 512, 10);
  ASSERT_TRUE(grey.hasBackground);
  expectColour(grey.background, 212, 212, 212, 10);
  EXPECT_DOUBLE_EQ(0.4219, grey.rects[0].x);
  EXPECT_DOUBLE_EQ(0.3611, grey.rects[0].y);
  EXPECT_DOUBLE_EQ(0.1562, grey.rects[0].cx);
  EXPECT_DOUBLE_EQ(0.2778, grey.rects[0].cy);

  ResolveMessage ls = parsed(literal::kGreyLs);
  ASSERT_EQ(1u, ls.rects.size());
  expectColour(ls.rects[0].colour, 128, 128, 128, 8);
  EXPECT_FALSE(ls.hasBackground);
  EXPECT_DOUBLE_EQ(0.2778, ls.rects[0].cy);

  ResolveMessage black = parsed(literal::kBlackCm);
  expectColour(black.rects[0].colour, 0, 0, 0, 10);
  EXPECT_DOUBLE_EQ(1.0, black.rects[0].cx);

  ResolveMessage full = parsed(literal::kFullGreyNoDeclaration);
  expectColour(full.rects[0].colour, 128, 128, 128, 8);
  EXPECT_DOUBLE_EQ(1.0, full.rects[0].cy);

  ResolveMessage white = parsed(literal::kWhiteVideoCm);
  expectColour(white.rects[0].colour, 940, 940, 940, 10);
  expectColour(white.background, 226, 226, 226, 10);
}

TEST(ResolveMessage, QuotingSpacingOrderAndUnknownPartsAreFree) {
  ResolveMessage m = parsed(
      "<?xml version='1.0'?>\n<calibration version='2'>\n  <note>ignored</note>\n"
      "  <geometry cy = '0.5' cx='0.25'  y=\"0.125\" x=\"0\" unit='any'/>\n"
      "  <color bits=' 12 ' blue='3' green=\"2\" red='4095' alpha='9'/>\n"
      "  <shapes><circle/></shapes>\n</calibration>\n");
  ASSERT_EQ(1u, m.rects.size());
  expectColour(m.rects[0].colour, 4095, 2, 3, 12);
  EXPECT_DOUBLE_EQ(0.25, m.rects[0].cx);
  EXPECT_DOUBLE_EQ(0.125, m.rects[0].y);
}

TEST(ResolveMessage, RectanglesKeepTheirDocumentOrder) {
  ResolveMessage m = parsed(
      "<calibration><shapes>"
      "<rectangle><geometry x='0' y='0' cx='1' cy='1'/><color red='1' green='1' blue='1'/>"
      "</rectangle>"
      "<rectangle><color red='2' green='2' blue='2' bits='16'/>"
      "<geometry x='0.25' y='0.25' cx='0.5' cy='0.5'/></rectangle>"
      "</shapes><background red='7' green='8' blue='9' bits='4'/></calibration>");
  ASSERT_EQ(2u, m.rects.size());
  expectColour(m.rects[0].colour, 1, 1, 1, 8);
  expectColour(m.rects[1].colour, 2, 2, 2, 16);
  EXPECT_DOUBLE_EQ(0.25, m.rects[1].x);
  expectColour(m.background, 7, 8, 9, 4);
}

TEST(ResolveMessage, WrongMessagesNameTheirProblem) {
  const struct {
    const char* xml;
    const char* problem;
  } cases[] = {
      {"<calibration><color red='1' green='1' blue='1'/>",
       "not well-formed XML: no element found at line 1, column 48"},
      {"", "not well-formed XML: no element found at line 1, column 0"},
      {"<calibration></wrong>", "not well-formed XML: mismatched tag at line 1, column 15"},
      {"\x01\x02garbage", "not well-formed XML: not well-formed (invalid token) at line 1, column 0"},
      {"<patch/>", "the message is <patch>, not <calibration>"},
      {"<calibration/>", "the message has no <color> and <geometry>"},
      {"<calibration><color red='1' green='1' blue='1'/></calibration>",
       "<calibration> has a <color> but no <geometry>"},
      {"<calibration><geometry x='0' y='0' cx='1' cy='1'/></calibration>",
       "<calibration> has a <geometry> but no <color>"},
      {"<calibration><shapes><rectangle><color red='1' green='1' blue='1'/></rectangle>"
       "</shapes></calibration>",
       "<rectangle> 1 has a <color> but no <geometry>"},
      {"<calibration><shapes><rectangle/></shapes></calibration>",
       "<rectangle> 1 has neither a <color> nor a <geometry>"},
      {"<calibration><color red='1' blue='1'/><geometry x='0' y='0' cx='1' cy='1'/>"
       "</calibration>",
       "<color> has no green"},
      {"<calibration><color red='256' green='1' blue='1'/>"
       "<geometry x='0' y='0' cx='1' cy='1'/></calibration>",
       "<color> red '256' is not a code from 0 to 255 at 8 bits"},
      {"<calibration><color red='1' green='-1' blue='1'/>"
       "<geometry x='0' y='0' cx='1' cy='1'/></calibration>",
       "<color> green '-1' is not a code from 0 to 255 at 8 bits"},
      {"<calibration><color red='1' green='1' blue='12.5' bits='10'/>"
       "<geometry x='0' y='0' cx='1' cy='1'/></calibration>",
       "<color> blue '12.5' is not a code from 0 to 1023 at 10 bits"},
      {"<calibration><color red='1' green='1' blue='1' bits='17'/>"
       "<geometry x='0' y='0' cx='1' cy='1'/></calibration>",
       "<color> bits '17' is not 1 to 16"},
      {"<calibration><color red='1' green='1' blue='1'/><background red='1' green='1' "
       "blue='1' bits='0'/><geometry x='0' y='0' cx='1' cy='1'/></calibration>",
       "<background> bits '0' is not 1 to 16"},
      {"<calibration><color red='1' green='1' blue='1'/>"
       "<geometry x='nan' y='0' cx='1' cy='1'/></calibration>",
       "<geometry> x 'nan' is not a finite number"},
      {"<calibration><color red='1' green='1' blue='1'/>"
       "<geometry x='0' y='1e999' cx='1' cy='1'/></calibration>",
       "<geometry> y '1e999' is not a finite number"},
      {"<calibration><color red='1' green='1' blue='1'/>"
       "<geometry x='0' y='0' cx='' cy='1'/></calibration>",
       "<geometry> cx '' is not a finite number"},
      {"<calibration><color red='1' green='1' blue='1'/>"
       "<geometry x='0' y='0' cx='1' cy='1px'/></calibration>",
       "<geometry> cy '1px' is not a finite number"},
      {"<calibration><color red='1' green='1' blue='1'/><color red='2' green='2' blue='2'/>"
       "<geometry x='0' y='0' cx='1' cy='1'/></calibration>",
       "more than one <color> where one belongs"},
      {"<!DOCTYPE calibration [<!ENTITY e 'x'>]><calibration/>", "a <!DOCTYPE> is not taken"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.problem, problemWith(c.xml)) << c.xml;
}

}  // namespace
