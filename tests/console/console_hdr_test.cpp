// HDR signalling typed at the console: hdr pq, hdr hlg, sdr, the named
// values, and what the card recorded.
#include <gtest/gtest.h>

#include "support/frames.h"
#include "support/way_in.h"
#include "support/windows.h"

namespace {

const char kHeld[] =
    "Device held: uhd@50 3840x2160\n"
    "Commands: red green blue white black | <R> <G> <B>\n"
    "          size3 size10 sizefull | full | video | quit\n";
const char kReleased[] = "output disabled, device released.\n";

std::string console(const SimSession& session, const std::string& typed) {
  std::string out;
  EXPECT_EQ(0, runCorvane(session.environment(), {"run", "0", "uhd@50"}, &out, typed));
  return out;
}

TEST(ConsoleHdr, OnChangedAndOffShowTheSamePictureAgain) {
  SimSession session("[device]\nname = A\n", true);
  EXPECT_EQ(std::string(kHeld) + "patch>   live: R=940 G=940 B=940  window " +
                windowText(kUhd10) + "\n"
                "patch> signalling: sdr colorspace rec709\n"
                "patch> signalling: pq colorspace rec2020 primaries rec2020 max-luminance 1000 "
                "min-luminance 0.0001 max-cll 1000 max-fall 400\n"
                "patch> signalling: pq colorspace rec2020 primaries p3d65 max-luminance 4000 "
                "min-luminance 0.0050 max-cll 1000 max-fall 400\n"
                "patch> signalling: hlg colorspace rec2020\n"
                "patch> signalling: hlg colorspace rec2020\n"
                "patch> signalling: sdr colorspace rec709\n"
                "patch> " +
                kReleased,
            console(session,
                    "white\nhdr\nhdr pq\n"
                    "hdr pq primaries p3d65 max-luminance 4000 min-luminance 0.005\n"
                    "hdr hlg\nhdr\nsdr\n"));
  EXPECT_EQ("", session.audit());
  const std::vector<std::string> frames = session.frames();
  ASSERT_EQ(5u, frames.size());
  EXPECT_EQ(CarriedMetadata(), frameFileMetadata(frames[0]));
  CarriedMetadata pq = frameFileMetadata(frames[1]);
  EXPECT_EQ(0x2u, pq.flags);
  EXPECT_EQ(0.708, pq.values["hdrx"]);
  EXPECT_EQ(0.0001, pq.values["hmil"]);
  CarriedMetadata p3 = frameFileMetadata(frames[2]);
  EXPECT_EQ(0.680, p3.values["hdrx"]);
  EXPECT_EQ(4000, p3.values["hdml"]);
  EXPECT_EQ(0.005, p3.values["hmil"]);
  EXPECT_EQ(3, frameFileMetadata(frames[3]).values["eotf"]);
  EXPECT_EQ(0u, frameFileMetadata(frames[4]).flags);
  for (const std::string& frame : frames) {
    FrameFile pixels(frame);
    ASSERT_TRUE(pixels.ok());
    EXPECT_EQ((940u << 20) | (940u << 10) | 940u, pixels.word(1920, 1080)) << frame;
  }
}

TEST(ConsoleHdr, RefusalsSayWhyAndChangeNothing) {
  SimSession session("[device]\nname = A\nhdr = pq\n", true);
  EXPECT_EQ(std::string(kHeld) +
                "patch>   signalling not changed: device cannot output HLG (unsupported)\n"
                "patch>   signalling not changed: expected sdr, pq or hlg, not 'PQ' "
                "(bad_request)\n"
                "patch>   signalling not changed: cannot read min-luminance '0.00001' "
                "(bad_request)\n"
                "patch>   signalling not changed: max-fall needs a value (bad_request)\n"
                "patch> unknown: hdrpq\n"
                "patch> unknown: sdr pq\n"
                "patch> signalling: sdr colorspace rec709\n"
                "patch> " +
                kReleased,
            console(session,
                    "hdr hlg\nhdr PQ\nhdr pq min-luminance 0.00001\nhdr pq max-fall\n"
                    "hdrpq\nsdr pq\nhdr\n"));
  EXPECT_EQ(0u, session.countLogLines("Metadata"));
  EXPECT_TRUE(session.frames().empty());
  EXPECT_EQ("", session.audit());
}

}  // namespace
