// corvane resolve with HDR signalling from its command line, against a
// host played on the loopback address.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/frames.h"
#include "support/hdr10_metadata.h"
#include "support/loopback.h"
#include "support/resolve_frame.h"
#include "support/way_in.h"

namespace {

// A Resolve message: its length, 4 bytes big-endian, then the XML.
const char kWhite[] =
    "<calibration><color red=\"940\" green=\"940\" blue=\"940\" bits=\"10\"/>"
    "<background red=\"64\" green=\"64\" blue=\"64\" bits=\"10\"/>"
    "<geometry x=\"0.25\" y=\"0.25\" cx=\"0.5\" cy=\"0.5\"/></calibration>";

TEST(ResolveHdr, SignalsBeforeTheBlackFrameAndKeepsItForEveryPatch) {
  SimSession session("[device]\nname = A\n", true);
  LoopbackSocket host = LoopbackSocket::listeningTcp();
  ASSERT_TRUE(host.ok());
  const std::string target = "127.0.0.1:" + std::to_string(host.port());
  // The options before, between and after the target, device and mode.
  WayIn resolve(session, {"resolve", "--hdr", "pq", target, "0", "--max-luminance", "4000",
                          "hd@50", "--primaries", "p3d65"});
  EXPECT_EQ("Device held: hd@50 1920x1080", resolve.readLine());
  EXPECT_EQ("signalling: pq colorspace rec2020 primaries p3d65 max-luminance 4000 "
            "min-luminance 0.0001 max-cll 1000 max-fall 400",
            resolve.readLine());
  LoopbackSocket connection = host.accept();
  ASSERT_TRUE(connection.ok());
  EXPECT_EQ("connected to " + target, resolve.readLine());
  ASSERT_TRUE(connection.send(resolveFrame(kWhite)));
  EXPECT_EQ("patch 940 940 940 window 960x540 at (480,270) on 64 64 64", resolve.readLine());
  resolve.endWithSignal();

  // The black frame and the patch, both signalled.
  const std::vector<std::string> frames = session.frames();
  ASSERT_EQ(2u, frames.size());
  const CarriedMetadata expected = hdr10P3({4000, 0.0001, 1000, 400});
  for (const std::string& frame : frames) EXPECT_EQ(expected, frameFileMetadata(frame)) << frame;
  // Nothing was shown before the signalling was set.
  const std::vector<std::string> lines = session.logLines();
  size_t flagged = lines.size(), firstShown = lines.size();
  for (size_t i = 0; i < lines.size(); ++i) {
    if (flagged == lines.size() && lines[i].find("SetFlags(2)") != std::string::npos) flagged = i;
    if (firstShown == lines.size() && lines[i].find("DisplayVideoFrameSync") != std::string::npos) {
      firstShown = i;
    }
  }
  EXPECT_LT(flagged, firstShown);
}

TEST(ResolveHdr, ACardThatCannotCarryItEndsWithStatusOne) {
  SimSession session("[device]\nname = A\nhdr = no\n", true);
  std::string out;
  EXPECT_EQ(1, runCorvane(session.environment(),
                          {"resolve", "127.0.0.1:1", "0", "hd", "--hdr", "hlg"}, &out));
  EXPECT_EQ("Device held: hd 1920x1080\n"
            "Could not set the signalling: device cannot carry HDR metadata (unsupported)\n",
            out);
  EXPECT_TRUE(session.frames().empty());
  EXPECT_EQ(1u, session.countLogLines("DisableVideoOutput"));
  EXPECT_EQ("", session.audit());
}

}  // namespace
