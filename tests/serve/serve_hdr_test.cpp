// HDR signalling on the serve protocol: the "hdr" request, its answers and
// errors, and the metadata the card recorded for each frame.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>

#include "serve_answers.h"
#include "support/frames.h"
#include "support/hdr10_metadata.h"
#include "support/serve_fixture.h"
#include "support/windows.h"

namespace {

using ServeHdr = ServeTest;

constexpr char kHlgAnswer[] = "{\"ok\":true,\"eotf\":\"hlg\",\"colorspace\":\"rec2020\"}";
constexpr char kSdrAnswer[] = "{\"ok\":true,\"eotf\":\"sdr\",\"colorspace\":\"rec709\"}";
// HLG carries none of PQ's values.
const CarriedMetadata kHlg = {0x2, {{"cspc", 0x32303230}, {"eotf", 3}}};

// Each change shows the picture on the card again, with the metadata of the
// new signalling; the signalling lasts over a switch that fails and puts the
// previous mode back.
TEST_F(ServeHdr, EachChangeShowsThePictureAgainWithItsMetadata) {
  const struct {
    const char* request;
    std::string answer;
    std::optional<CarriedMetadata> shown;  // the frame it displays, if any
  } rows[] = {
      {"{\"cmd\":\"patch\",\"r\":940,\"g\":940,\"b\":940,\"area\":10}",
       patchAnswer(kHd10), CarriedMetadata()},
      {"{\"cmd\":\"hdr\",\"eotf\":\"pq\"}",
       "{\"ok\":true,\"eotf\":\"pq\",\"colorspace\":\"rec2020\",\"primaries\":\"rec2020\","
       "\"max_luminance\":1000,\"min_luminance\":1,\"max_cll\":1000,\"max_fall\":400}",
       hdr10Rec2020()},
      {"{\"cmd\":\"hdr\",\"eotf\":\"pq\",\"primaries\":\"p3d65\",\"max_luminance\":4000,"
       "\"min_luminance\":50,\"max_cll\":3000,\"max_fall\":500}",
       "{\"ok\":true,\"eotf\":\"pq\",\"colorspace\":\"rec2020\",\"primaries\":\"p3d65\","
       "\"max_luminance\":4000,\"min_luminance\":50,\"max_cll\":3000,\"max_fall\":500}",
       hdr10P3({4000, 0.005, 3000, 500})},
      {"{\"cmd\":\"hdr\",\"eotf\":\"pq\",\"primaries\":\"rec709\"}",
       "{\"ok\":true,\"eotf\":\"pq\",\"colorspace\":\"rec2020\",\"primaries\":\"rec709\","
       "\"max_luminance\":1000,\"min_luminance\":1,\"max_cll\":1000,\"max_fall\":400}",
       hdr10Rec709()},
      // The card cannot enable 4K: the previous mode's new frame is signalled
      // again, and shown with the next picture.
      {"{\"cmd\":\"setmode\",\"mode\":\"4k\"}", kRestored, std::nullopt},
      {"{\"cmd\":\"patch\",\"r\":940,\"g\":940,\"b\":940,\"area\":10}",
       patchAnswer(kHd10), hdr10Rec709()},
      {"{\"cmd\":\"hdr\",\"eotf\":\"hlg\"}", kHlgAnswer, kHlg},
      {"{\"hdr\":{\"eotf\":\"sdr\"}}", kSdrAnswer, CarriedMetadata()},
  };
  ServeClient& client = serve(std::string(kCard) + "enable.4k = E_FAIL\n", true);
  EXPECT_EQ(kHd, client.ask("{\"cmd\":\"open\"}"));
  std::vector<CarriedMetadata> shown;
  for (const auto& row : rows) {
    EXPECT_EQ(row.answer, client.ask(row.request)) << row.request;
    if (row.shown) shown.push_back(*row.shown);
  }
  const std::vector<std::string> frames = session().frames();
  ASSERT_EQ(shown.size(), frames.size());
  for (size_t i = 0; i < frames.size(); ++i) {
    SCOPED_TRACE(frames[i]);
    EXPECT_EQ(shown[i], frameFileMetadata(frames[i]));
    FrameFile pixels(frames[i]);
    ASSERT_TRUE(pixels.ok());
    EXPECT_EQ((940u << 20) | (940u << 10) | 940u, pixels.word(960, 540));
  }
}

TEST_F(ServeHdr, CardsThatCannotCarryItOrFailWritingIt) {
  ServeClient& client = serve(
      "[device]\nname = Plain\nhdr = no\n"
      "[device]\nname = No metadata\nmetadata = no\n"
      "[device]\nname = Failing\nmetadata_set.mcll = E_FAIL\n",
      true);
  EXPECT_EQ(kHd, client.ask("{\"cmd\":\"open\",\"device\":0}"));
  EXPECT_EQ(failure("unsupported", "device cannot carry HDR metadata"),
            client.ask("{\"cmd\":\"hdr\",\"eotf\":\"pq\"}"));
  // SDR in Rec.709 is what every frame is: no question, no metadata.
  EXPECT_EQ(kSdrAnswer, client.ask("{\"cmd\":\"hdr\",\"eotf\":\"sdr\"}"));
  EXPECT_EQ(kHd, client.ask("{\"cmd\":\"open\",\"device\":1}"));
  EXPECT_EQ(failure("failed", "the frame refused its metadata interface (E_NOINTERFACE); "
                              "previous signalling kept"),
            client.ask("{\"cmd\":\"hdr\",\"eotf\":\"hlg\"}"));
  EXPECT_EQ(kHd, client.ask("{\"cmd\":\"open\",\"device\":2}"));
  EXPECT_EQ(failure("failed", "the card refused the MaxCLL (E_FAIL); previous signalling kept"),
            client.ask("{\"cmd\":\"hdr\",\"eotf\":\"pq\"}"));
  EXPECT_EQ(patchAnswer(kHdFull),
            client.ask("{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3}"));
  const std::vector<std::string> frames = session().frames();
  ASSERT_EQ(1u, frames.size());
  EXPECT_EQ(0u, frameFileMetadata(frames[0]).flags);
}

TEST_F(ServeHdr, TheSignallingCarriesOverSetModeAndEndsWithClose) {
  ServeClient& client = serve(kCard, true);
  EXPECT_EQ(kHd, client.ask("{\"cmd\":\"open\"}"));
  EXPECT_EQ(kHlgAnswer, client.ask("{\"cmd\":\"hdr\",\"eotf\":\"hlg\"}"));
  EXPECT_EQ(kUhd, client.ask("{\"cmd\":\"setmode\",\"mode\":\"uhd@59.94\"}"));
  client.ask("{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3}");
  EXPECT_EQ("{\"ok\":true}", client.ask("{\"cmd\":\"close\"}"));
  EXPECT_EQ(kHd, client.ask("{\"cmd\":\"open\"}"));
  client.ask("{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3}");
  const std::vector<std::string> frames = session().frames();
  ASSERT_EQ(2u, frames.size());
  EXPECT_EQ(kHlg, frameFileMetadata(frames[0]));
  EXPECT_EQ(CarriedMetadata(), frameFileMetadata(frames[1]));
}

}  // namespace
