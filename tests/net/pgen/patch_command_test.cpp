// The patch command's fields: depths, window sizes, the position forms,
// clamping to the frame, and every way a field can be wrong.
#include "net/pgen/patch_command.h"

#include <gtest/gtest.h>

namespace {

struct Expected {
  int32_t x, y, w, h;
  uint16_t colour, background;  // gray levels at 10 bits
};

void expectPatch(const std::string& fields, const Expected& e, int32_t width = 1920,
                 int32_t height = 1080) {
  PgenPatch patch;
  ASSERT_EQ("", readPatchCommand(fields, width, height, &patch).text()) << fields;
  const PatchRect& r = patch.window.rect;
  EXPECT_EQ(e.x, r.x) << fields;
  EXPECT_EQ(e.y, r.y) << fields;
  EXPECT_EQ(e.w, r.w) << fields;
  EXPECT_EQ(e.h, r.h) << fields;
  for (uint16_t c : {patch.window.colour.r, patch.window.colour.g, patch.window.colour.b}) {
    EXPECT_EQ(e.colour, c) << fields;
  }
  for (uint16_t c : {patch.background.r, patch.background.g, patch.background.b}) {
    EXPECT_EQ(e.background, c) << fields;
  }
}

TEST(PgenPatchCommand, EightBitCodesAreShiftedTenBitCodesKept) {
  expectPatch("RECTANGLE;1,1;0;16,16,16;235,235,235;-1,-1", {959, 539, 1, 1, 64, 940});
  expectPatch("RECTANGLE;1,1;0;255,255,255;0,0,0;-1,-1", {959, 539, 1, 1, 1020, 0});
  expectPatch("RECTANGLE10bit;1,1;0;1023,1023,1023;64,64,64;-1,-1", {959, 539, 1, 1, 1023, 64});
  PgenPatch patch;
  ASSERT_EQ("", readPatchCommand("RECTANGLE10bit;2,2;0;1,2,3;4,5,6;-1,-1", 1920, 1080, &patch)
                    .text());
  EXPECT_EQ(1, patch.window.colour.r);
  EXPECT_EQ(2, patch.window.colour.g);
  EXPECT_EQ(3, patch.window.colour.b);
  EXPECT_EQ(4, patch.background.r);
  EXPECT_EQ(6, patch.background.b);
}

TEST(PgenPatchCommand, PositionForms) {
  const std::string head = "RECTANGLE10bit;600,300;0;512,512,512;0,0,0;";
  // HCFR: centred, (1920 - 607) / 2 = 656 with the odd pixel on the right.
  expectPatch("RECTANGLE;607,341;100;128,128,128;0,0,0;-1,-1,0,0", {656, 369, 607, 341, 512, 0});
  // pgen_client: the top-left pixel, its own rounding of the centre.
  expectPatch("RECTANGLE10bit;607,342;0;512,512,512;0,0,0;0,0,657,369;-1",
              {657, 369, 607, 342, 512, 0});
  expectPatch(head + "-1,-1", {660, 390, 600, 300, 512, 0});             // centred
  expectPatch(head + "-1,-1,100,-50", {760, 340, 600, 300, 512, 0});     // centre and offset
  expectPatch(head + "0,0,10,20", {10, 20, 600, 300, 512, 0});           // top-left pixel
  expectPatch(head + "100,200", {100, 200, 600, 300, 512, 0});           // anchor alone
  expectPatch(head + "-1,5,0,0", {660, 5, 600, 300, 512, 0});            // one axis centred
  expectPatch(head + "-1,-1", {1620, 930, 600, 300, 512, 0}, 3840, 2160);  // UHD
  expectPatch(head + " -1 , -1 ,+3, 4 ;-1;more;fields", {663, 394, 600, 300, 512, 0});
}

TEST(PgenPatchCommand, TheWindowIsClampedAndClippedToTheFrame) {
  const std::string colours = ";0;512,512,512;0,0,0;";
  expectPatch("RECTANGLE10bit;5000,5000" + colours + "-1,-1", {0, 0, 1920, 1080, 512, 0});
  expectPatch("RECTANGLE10bit;99999999999,1" + colours + "-1,-1", {0, 539, 1920, 1, 512, 0});
  expectPatch("RECTANGLE10bit;607,341" + colours + "0,0,1800,1000", {1800, 1000, 120, 80, 512, 0});
  expectPatch("RECTANGLE10bit;607,341" + colours + "-1,-1,-2000,-400", {0, 0, 0, 310, 512, 0});
  expectPatch("RECTANGLE10bit;607,341" + colours + "-1,-1,2147483647,-2147483648",
              {1920, 0, 0, 0, 512, 0});
  expectPatch("RECTANGLE10bit;607,341" + colours + "99999999999,99999999999",
              {1920, 1080, 0, 0, 512, 0});
  expectPatch("RECTANGLE10bit;0,0" + colours + "-1,-1", {960, 540, 0, 0, 512, 0});
}

TEST(PgenPatchCommand, WrongFieldsAreNamed) {
  const struct {
    const char* fields;
    FailureCode read;
    const char* problem;
  } cases[] = {
      {"RECTANGLE;1,1;0;256,0,0;0,0,0;-1,-1", FailureCode::kBadRequest, "colour 256,0,0 is not within 0-255"},
      {"RECTANGLE10bit;1,1;0;0,1024,0;0,0,0;-1,-1", FailureCode::kBadRequest,
       "colour 0,1024,0 is not within 0-1023"},
      {"RECTANGLE;1,1;0;99999999999,0,0;0,0,0;-1,-1", FailureCode::kBadRequest,
       "colour 2147483647,0,0 is not within 0-255"},
      {"RECTANGLE;1,1;0;1,2,3;0,0,300;-1,-1", FailureCode::kBadRequest,
       "background 0,0,300 is not within 0-255"},
      {"RECTANGLE;1,1;0;a,b,c;0,0,0;-1,-1", FailureCode::kBadRequest, "colour is not three whole numbers"},
      {"RECTANGLE;1,1;0;1,2,3;0,0,0x;-1,-1", FailureCode::kBadRequest,
       "background is not three whole numbers"},
      {"RECTANGLE;-5,10;0;1,2,3;0,0,0;-1,-1", FailureCode::kBadRequest,
       "window size is not two whole numbers of 0 or more"},
      {"RECTANGLE;1.5,2;0;1,2,3;0,0,0;-1,-1", FailureCode::kBadRequest,
       "window size is not two whole numbers of 0 or more"},
      {"RECTANGLE;1,1;0;1,2,3;0,0,0;-2,-1", FailureCode::kBadRequest,
       "position is not 'x,y' or 'x,y,dx,dy' with x and y -1 (centred) or 0 or more"},
      {"RECTANGLE;1,1;0;1,2,3;0,0,0;1,2,3", FailureCode::kBadRequest,
       "position is not 'x,y' or 'x,y,dx,dy' with x and y -1 (centred) or 0 or more"},
      {"RECTANGLE;1,1;0;1,2,3", FailureCode::kBadRequest, "6 fields needed, 4 found"},
      {"TEXT;14,0;100;16,128,128;0,0,0;100,300;End of sequence", FailureCode::kUnsupported,
       "only RECTANGLE and RECTANGLE10bit are drawn, not 'TEXT'"},
      {"rectangle;1,1;0;1,2,3;0,0,0;-1,-1", FailureCode::kUnsupported,
       "only RECTANGLE and RECTANGLE10bit are drawn, not 'rectangle'"},
  };
  for (const auto& c : cases) {
    PgenPatch patch;
    const Failure refused = readPatchCommand(c.fields, 1920, 1080, &patch);
    EXPECT_TRUE(refused.is(c.read)) << c.fields;
    EXPECT_EQ(c.problem, refused.message) << c.fields;
  }
  // Bytes that are not text, NUL among them, are shown as escapes.
  PgenPatch patch;
  EXPECT_EQ("only RECTANGLE and RECTANGLE10bit are drawn, not 'RECT\\x00\\xFF' (unsupported)",
            readPatchCommand(std::string("RECT\0\xff;1,1", 10), 1920, 1080, &patch).text());
  const std::string nul("RECTANGLE;1,1;0;1,2,3\0;0,0,0;-1,-1", 34);
  EXPECT_EQ("colour is not three whole numbers (bad_request)",
            readPatchCommand(nul, 1920, 1080, &patch).text());
}

}  // namespace
