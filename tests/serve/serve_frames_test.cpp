// What the card displays for the serve protocol's requests: the frames,
// pixel for pixel, and none at all when a frame cannot be written.
#include <gtest/gtest.h>

#include "serve_answers.h"
#include "support/frame_checks.h"
#include "support/frames.h"
#include "support/serve_fixture.h"
#include "support/windows.h"

namespace {

using Serve = ServeTest;

// The frames the card displayed are exactly what the requests asked for.
TEST_F(Serve, DisplayedFramesMatchTheRequests) {
  ServeClient& client = serve(kCard, true);
  EXPECT_EQ(kHd, client.ask("{\"cmd\":\"open\"}"));
  EXPECT_EQ(patchAnswer(kHd3),
            client.ask("{\"cmd\":\"patch\",\"r\":940,\"g\":512,\"b\":64,\"bg_r\":100,"
                       "\"bg_g\":200,\"bg_b\":300,\"area\":3}"));
  EXPECT_EQ(kUhd, client.ask("{\"cmd\":\"setmode\",\"mode\":\"uhd\"}"));
  EXPECT_EQ(patchAnswer(kUhdFull),
            client.ask("{\"cmd\":\"patch\",\"r\":1023,\"g\":1023,\"b\":1023}"));
  // Positioned 10 % patches (1214x683): at each corner, then one pixel
  // outside on the right and at the bottom, refused with nothing shown.
  const PatchRect corners[] = {
      {0, 0, 1214, 683}, {2626, 0, 1214, 683}, {0, 1477, 1214, 683}, {2626, 1477, 1214, 683}};
  for (const PatchRect& c : corners) {
    const std::string at = ",\"x\":" + std::to_string(c.x) + ",\"y\":" + std::to_string(c.y);
    EXPECT_EQ("{\"ok\":true" + at + ",\"w\":1214,\"h\":683}",
              client.ask("{\"cmd\":\"patch\",\"r\":7,\"g\":8,\"b\":9,\"area\":10,\"bg_r\":5" + at +
                         "}"));
  }
  for (const char* outside : {"\"x\":2627,\"y\":0", "\"x\":0,\"y\":1478"}) {
    EXPECT_EQ(badRequest("x and y must put the patch inside the frame: x 0-2626 and y 0-1477 "
                         "for 1214x683 at 3840x2160"),
              client.ask(std::string("{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3,\"area\":10,") +
                         outside + "}"));
  }
  std::vector<std::string> frames = session().frames();
  ASSERT_EQ(6u, frames.size());
  for (size_t i = 0; i < 4; ++i) {
    FrameFile corner(frames[2 + i]);
    ASSERT_TRUE(corner.ok());
    expectPatchFrame(corner.frame(), corners[i], r210Word(7, 8, 9), r210Word(5, 0, 0));
  }
  FrameFile hd(frames[0]), uhd(frames[1]);
  ASSERT_TRUE(hd.ok());
  ASSERT_TRUE(uhd.ok());
  ASSERT_EQ(1920, hd.frame().width);
  ASSERT_EQ(1080, hd.frame().height);
  expectPatchFrame(hd.frame(), kHd3, r210Word(940, 512, 64),
                   r210Word(100, 200, 300));
  ASSERT_EQ(3840, uhd.frame().width);
  ASSERT_EQ(2160, uhd.frame().height);
  // At 100 % the patch is the whole frame.
  expectPatchFrame(uhd.frame(), kUhdFull, r210Word(1023, 1023, 1023), 0);
}

// Align's default levels, and levels cut to 16 bits and then painted with
// their low 10 bits.
TEST_F(Serve, AlignPaintsItsLevels) {
  ServeClient& client = serve(kCard, true);
  EXPECT_EQ(kHd, client.ask("{\"cmd\":\"open\"}"));
  EXPECT_EQ(kAlignedHd,
            client.ask("{\"cmd\":\"align\"}"));
  EXPECT_EQ(kAlignedHd,
            client.ask("{\"cmd\":\"align\",\"bg\":66560,\"line\":-1,\"cross\":1500}"));
  std::vector<std::string> frames = session().frames();
  ASSERT_EQ(2u, frames.size());
  const unsigned levels[2][3] = {{64, 546, 721}, {0, 1023, 476}};
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    FrameFile frame(frames[i]);
    ASSERT_TRUE(frame.ok());
    ASSERT_EQ(1920, frame.frame().width);
    ASSERT_EQ(1080, frame.frame().height);
    // The 3 % box inside the 10 % box, lines 2 pixels wide at 1080 rows.
    expectAlignmentFrame(frame.frame(), kHd3, kHd10, 2,
                         {r210Gray(levels[i][0]), r210Gray(levels[i][1]),
                          r210Gray(levels[i][2])});
  }
}

}  // namespace
