// HDR signalling on the serve protocol: the "hdr" request, its answers and
// errors, and the metadata the card recorded for each frame.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "serve_answers.h"
#include "support/frames.h"
#include "support/hdr10_metadata.h"
#include "support/serve_client.h"

namespace {

constexpr char kPqAnswer[] =
    "{\"ok\":true,\"eotf\":\"pq\",\"colorspace\":\"rec2020\",\"primaries\":\"rec2020\","
    "\"max_luminance\":1000,\"min_luminance\":1,\"max_cll\":1000,\"max_fall\":400}";

std::string badRequest(const std::string& error) {
  return "{\"ok\":false,\"code\":\"bad_request\",\"error\":\"" + error + "\"}";
}

TEST(ServeHdr, OnChangedAndOffWithTheFramesRecorded) {
  SimSession session(kCard, true);
  ServeClient client(session);
  EXPECT_EQ(kHd, client.ask("{\"cmd\":\"open\"}"));
  EXPECT_EQ("{\"ok\":true,\"x\":656,\"y\":369,\"w\":607,\"h\":342}",
            client.ask("{\"cmd\":\"patch\",\"r\":940,\"g\":940,\"b\":940,\"area\":10}"));
  EXPECT_EQ(kPqAnswer, client.ask("{\"cmd\":\"hdr\",\"eotf\":\"pq\"}"));
  EXPECT_EQ(
      "{\"ok\":true,\"eotf\":\"pq\",\"colorspace\":\"rec2020\",\"primaries\":\"p3d65\","
      "\"max_luminance\":4000,\"min_luminance\":50,\"max_cll\":3000,\"max_fall\":500}",
      client.ask("{\"cmd\":\"hdr\",\"eotf\":\"pq\",\"primaries\":\"p3d65\",\"max_luminance\":4000,"
                 "\"min_luminance\":50,\"max_cll\":3000,\"max_fall\":500}"));
  EXPECT_EQ("{\"ok\":true,\"eotf\":\"hlg\",\"colorspace\":\"rec2020\"}",
            client.ask("{\"cmd\":\"hdr\",\"eotf\":\"hlg\"}"));
  EXPECT_EQ("{\"ok\":true,\"eotf\":\"sdr\",\"colorspace\":\"rec709\"}",
            client.ask("{\"hdr\":{\"eotf\":\"sdr\"}}"));
  EXPECT_EQ(0, client.finish());
  EXPECT_EQ("", session.audit());

  // The patch, then the same picture again at each change.
  const std::vector<std::string> frames = session.frames();
  ASSERT_EQ(5u, frames.size());
  EXPECT_EQ(CarriedMetadata(), frameFileMetadata(frames[0]));
  EXPECT_EQ(hdr10Rec2020(), frameFileMetadata(frames[1]));
  EXPECT_EQ(hdr10P3({4000, 0.005, 3000, 500}), frameFileMetadata(frames[2]));
  // HLG after PQ carries none of PQ's values, and SDR no metadata at all.
  EXPECT_EQ((CarriedMetadata{0x2, {{"cspc", 0x32303230}, {"eotf", 3}}}),
            frameFileMetadata(frames[3]));
  EXPECT_EQ(CarriedMetadata(), frameFileMetadata(frames[4]));
  for (const std::string& frame : frames) {
    FrameFile pixels(frame);
    ASSERT_TRUE(pixels.ok());
    EXPECT_EQ((940u << 20) | (940u << 10) | 940u,
              pixels.word(960, 540));
  }
}

TEST(ServeHdr, RequestsItCannotReadAndTheirOrder) {
  SimSession session(kCard);
  ServeClient client(session);
  EXPECT_EQ(badRequest("hdr needs eotf: sdr, pq or hlg"), client.ask("{\"cmd\":\"hdr\"}"));
  EXPECT_EQ(badRequest("hdr needs eotf: sdr, pq or hlg"),
            client.ask("{\"cmd\":\"hdr\",\"eotf\":\"PQ\"}"));
  EXPECT_EQ(badRequest("colorspace must be rec709 or rec2020"),
            client.ask("{\"cmd\":\"hdr\",\"eotf\":\"pq\",\"colorspace\":\"p3\"}"));
  EXPECT_EQ(badRequest("primaries must be rec2020, p3d65 or rec709"),
            client.ask("{\"cmd\":\"hdr\",\"eotf\":\"pq\",\"primaries\":\"dci\"}"));
  EXPECT_EQ(badRequest("maximum mastering luminance must be 1-65535 cd/m2"),
            client.ask("{\"cmd\":\"hdr\",\"eotf\":\"pq\",\"max_luminance\":4294967296}"));
  EXPECT_EQ(badRequest("minimum mastering luminance must be 1-65535 (0.0001-6.5535 cd/m2)"),
            client.ask("{\"cmd\":\"hdr\",\"eotf\":\"pq\",\"min_luminance\":0}"));
  EXPECT_EQ(badRequest("MaxCLL must be 1-65535 cd/m2"),
            client.ask("{\"cmd\":\"hdr\",\"eotf\":\"pq\",\"max_cll\":-1}"));
  // Values before the device; the device before the card is asked.
  EXPECT_EQ(kNotOpen, client.ask("{\"cmd\":\"hdr\",\"eotf\":\"pq\"}"));
  // The word comes after every earlier command word.
  EXPECT_EQ(kNotOpen, client.ask("{\"cmd\":\"align\",\"hdr\":1}"));
  EXPECT_EQ(0, client.finish());
  EXPECT_TRUE(session.logLines().empty());  // the card was never touched
}

TEST(ServeHdr, CardsThatCannotCarryItOrFailWritingIt) {
  SimSession session(
      "[device]\nname = Plain\nhdr = no\n"
      "[device]\nname = No metadata\nmetadata = no\n"
      "[device]\nname = Failing\nmetadata_set.mcll = E_FAIL\n",
      true);
  ServeClient client(session);
  EXPECT_EQ(kHd, client.ask("{\"cmd\":\"open\",\"device\":0}"));
  EXPECT_EQ("{\"ok\":false,\"code\":\"unsupported\",\"error\":\"device cannot carry HDR "
            "metadata\"}",
            client.ask("{\"cmd\":\"hdr\",\"eotf\":\"pq\"}"));
  // SDR in Rec.709 is what every frame is: no question, no metadata.
  EXPECT_EQ("{\"ok\":true,\"eotf\":\"sdr\",\"colorspace\":\"rec709\"}",
            client.ask("{\"cmd\":\"hdr\",\"eotf\":\"sdr\"}"));
  EXPECT_EQ(kHd, client.ask("{\"cmd\":\"open\",\"device\":1}"));
  EXPECT_EQ("{\"ok\":false,\"code\":\"failed\",\"error\":\"the frame refused its metadata "
            "interface (E_NOINTERFACE); previous signalling kept\"}",
            client.ask("{\"cmd\":\"hdr\",\"eotf\":\"hlg\"}"));
  EXPECT_EQ(kHd, client.ask("{\"cmd\":\"open\",\"device\":2}"));
  EXPECT_EQ("{\"ok\":false,\"code\":\"failed\",\"error\":\"the card refused the MaxCLL "
            "(E_FAIL); previous signalling kept\"}",
            client.ask("{\"cmd\":\"hdr\",\"eotf\":\"pq\"}"));
  EXPECT_EQ("{\"ok\":true,\"x\":0,\"y\":0,\"w\":1920,\"h\":1080}",
            client.ask("{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3}"));
  EXPECT_EQ(0, client.finish());
  EXPECT_EQ("", session.audit());
  const std::vector<std::string> frames = session.frames();
  ASSERT_EQ(1u, frames.size());
  EXPECT_EQ(0u, frameFileMetadata(frames[0]).flags);
}

TEST(ServeHdr, TheSignallingCarriesOverSetModeAndEndsWithClose) {
  SimSession session(kCard, true);
  ServeClient client(session);
  EXPECT_EQ(kHd, client.ask("{\"cmd\":\"open\"}"));
  EXPECT_EQ("{\"ok\":true,\"eotf\":\"hlg\",\"colorspace\":\"rec2020\"}",
            client.ask("{\"cmd\":\"hdr\",\"eotf\":\"hlg\"}"));
  EXPECT_EQ(kUhd, client.ask("{\"cmd\":\"setmode\",\"mode\":\"uhd@59.94\"}"));
  client.ask("{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3}");
  EXPECT_EQ("{\"ok\":true}", client.ask("{\"cmd\":\"close\"}"));
  EXPECT_EQ(kHd, client.ask("{\"cmd\":\"open\"}"));
  client.ask("{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3}");
  EXPECT_EQ(0, client.finish());
  EXPECT_EQ("", session.audit());
  const std::vector<std::string> frames = session.frames();
  ASSERT_EQ(2u, frames.size());
  EXPECT_EQ((CarriedMetadata{0x2, {{"cspc", 0x32303230}, {"eotf", 3}}}),
            frameFileMetadata(frames[0]));
  EXPECT_EQ(CarriedMetadata(), frameFileMetadata(frames[1]));
}

}  // namespace
