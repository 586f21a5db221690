// Mode names: every resolution at every rate, "hd@24" as "hd", and the
// names that are no mode.
#include <gtest/gtest.h>

#include "decklink/output_mode.h"

namespace {

struct NamedMode {
  const char* name;
  const char* fourCC;
  int32_t width, height;
};

// The display mode codes of the driver, written out as its FourCCs.
const NamedMode kEveryMode[] = {
    {"hd@23.98", "23ps", 1920, 1080},  {"hd", "24ps", 1920, 1080},
    {"hd@25", "Hp25", 1920, 1080},     {"hd@29.97", "Hp29", 1920, 1080},
    {"hd@30", "Hp30", 1920, 1080},     {"hd@50", "Hp50", 1920, 1080},
    {"hd@59.94", "Hp59", 1920, 1080},  {"hd@60", "Hp60", 1920, 1080},
    {"uhd@23.98", "4k23", 3840, 2160}, {"uhd", "4k24", 3840, 2160},
    {"uhd@25", "4k25", 3840, 2160},    {"uhd@29.97", "4k29", 3840, 2160},
    {"uhd@30", "4k30", 3840, 2160},    {"uhd@50", "4k50", 3840, 2160},
    {"uhd@59.94", "4k59", 3840, 2160}, {"uhd@60", "4k60", 3840, 2160},
    {"4k@23.98", "4d23", 4096, 2160},  {"4k", "4d24", 4096, 2160},
    {"4k@25", "4d25", 4096, 2160},     {"4k@29.97", "4d29", 4096, 2160},
    {"4k@30", "4d30", 4096, 2160},     {"4k@50", "4d50", 4096, 2160},
    {"4k@59.94", "4d59", 4096, 2160},  {"4k@60", "4d60", 4096, 2160},
};

uint32_t codeOf(const char* letters) {
  return (uint32_t(uint8_t(letters[0])) << 24) | (uint32_t(uint8_t(letters[1])) << 16) |
         (uint32_t(uint8_t(letters[2])) << 8) | uint32_t(uint8_t(letters[3]));
}

TEST(OutputMode, EveryResolutionAtEveryRate) {
  for (int i = 0; i < 24; ++i) {
    const NamedMode& expected = kEveryMode[i];
    SCOPED_TRACE(expected.name);
    const OutputMode* mode = findMode(expected.name);
    ASSERT_NE(nullptr, mode);
    EXPECT_STREQ(expected.name, mode->name);
    EXPECT_EQ(codeOf(expected.fourCC), mode->displayMode);
    EXPECT_EQ(expected.width, mode->width);
    EXPECT_EQ(expected.height, mode->height);
    // The table by resolution and rate holds the same entry.
    EXPECT_EQ(mode, &modeAt(i / 8, i % 8));
    EXPECT_STREQ(kRates[i % 8], mode->rate);
  }
}

TEST(OutputMode, The24pModesKeepTheirNamesAndPlaces) {
  EXPECT_EQ(&kModes[0], findMode("hd"));
  EXPECT_EQ(&kModes[1], findMode("uhd"));
  EXPECT_EQ(&kModes[2], findMode("4k"));
  // Asked for with its rate, a 24p mode is the same mode, named as before.
  EXPECT_EQ(&kModes[0], findMode("hd@24"));
  EXPECT_EQ(&kModes[1], findMode("uhd@24"));
  EXPECT_EQ(&kModes[2], findMode("4k@24"));
  EXPECT_STREQ("hd", findMode("hd@24")->name);
}

TEST(OutputMode, NamesThatAreNoMode) {
  for (const char* name : {"", "HD", "hd@", "@24", "hd@23.976", "hd@59.940", "hd@59", "hd@120",
                           "hd@24.0", "hd@59.94 ", " hd@50", "hd@@50", "hd@50@50", "8k@24",
                           "hd50", "hd@*", "uhd@ 50", "4K@60", "hd@60p"}) {
    EXPECT_EQ(nullptr, findMode(name)) << "'" << name << "'";
  }
}

}  // namespace
