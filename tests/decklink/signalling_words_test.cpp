// The signalling as typed: the words of the console and of a network
// mode's options, and the text they are printed back in.
#include <gtest/gtest.h>

#include "decklink/signalling_words.h"

namespace {

Signalling read(const std::vector<std::string>& words, std::string* problem) {
  Signalling signalling;
  signalling.maxCll = -7;  // untouched on failure
  *problem = readSignallingWords(words, &signalling).message;
  return signalling;
}

TEST(SignallingWords, EotfAloneTakesTheCommonDefaults) {
  std::string problem;
  EXPECT_EQ("pq colorspace rec2020 primaries rec2020 max-luminance 1000 min-luminance 0.0001 "
            "max-cll 1000 max-fall 400",
            signallingText(read({"pq"}, &problem)));
  EXPECT_EQ("hlg colorspace rec2020", signallingText(read({"hlg"}, &problem)));
  EXPECT_EQ("sdr colorspace rec709", signallingText(read({"sdr"}, &problem)));
  EXPECT_EQ("", problem);
}

TEST(SignallingWords, EveryNamedValue) {
  std::string problem;
  const Signalling s = read({"pq", "primaries", "p3d65", "max-luminance", "4000", "min-luminance",
                             "0.005", "max-cll", "3000", "max-fall", "800", "colorspace", "rec709"},
                            &problem);
  EXPECT_EQ("", problem);
  EXPECT_EQ(Primaries::kP3D65, s.primaries);
  EXPECT_EQ(4000, s.maxLuminance);
  EXPECT_EQ(50, s.minLuminance);
  EXPECT_EQ(3000, s.maxCll);
  EXPECT_EQ(800, s.maxFall);
  EXPECT_EQ(ColourSpace::kRec709, s.colourSpace);
  // Minimum luminance: whole numbers and up to four decimals.
  EXPECT_EQ(10000, read({"pq", "min-luminance", "1"}, &problem).minLuminance);
  EXPECT_EQ(65535, read({"pq", "min-luminance", "6.5535"}, &problem).minLuminance);
  EXPECT_EQ(1, read({"pq", "min-luminance", ".0001"}, &problem).minLuminance);
  EXPECT_EQ(Eotf::kSdr, read({"sdr", "colorspace", "rec2020"}, &problem).eotf);
}

TEST(SignallingWords, WordsItCannotRead) {
  const struct {
    std::vector<std::string> words;
    const char* problem;
  } cases[] = {
      {{}, "expected sdr, pq or hlg"},
      {{"PQ"}, "expected sdr, pq or hlg, not 'PQ'"},
      {{"pq", "primaries"}, "primaries needs a value"},
      {{"pq", "primaries", "p3"}, "cannot read primaries 'p3'"},
      {{"pq", "colorspace", "rec601"}, "cannot read colorspace 'rec601'"},
      {{"pq", "gamma", "2.4"}, "unknown signalling setting 'gamma'"},
      {{"pq", "max-cll", "1000", "max-cll", "900"}, "max-cll given twice"},
      {{"pq", "max-luminance", "1000.5"}, "cannot read max-luminance '1000.5'"},
      {{"pq", "max-luminance", "-1"}, "cannot read max-luminance '-1'"},
      {{"pq", "min-luminance", "0.00005"}, "cannot read min-luminance '0.00005'"},
      {{"pq", "min-luminance", "1."}, "cannot read min-luminance '1.'"},
      {{"pq", "min-luminance", "."}, "cannot read min-luminance '.'"},
      {{"pq", "max-fall", "99999999999"}, "cannot read max-fall '99999999999'"},
      {{"pq", "max-fall", "70000"}, "MaxFALL must be 1-65535 cd/m2"},
      {{"hlg", "max-luminance", "1000"}, "max-luminance is for pq only: hlg carries no mastering values"},
      {{"sdr", "colorspace", "rec709", "primaries", "p3d65"},
       "primaries is for pq only: sdr carries no mastering values"},
      {{"pq", "min-luminance", "7"}, "minimum mastering luminance must be 1-65535 (0.0001-6.5535 cd/m2)"},
  };
  for (const auto& c : cases) {
    Signalling signalling;
    signalling.maxCll = -7;
    EXPECT_EQ(std::string(c.problem) + " (bad_request)",
              readSignallingWords(c.words, &signalling).text());
    EXPECT_EQ(-7, signalling.maxCll);
  }
}

}  // namespace
