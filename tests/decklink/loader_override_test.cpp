// CORVANE_DECKLINK_API: the library it names is the one loaded, whatever the
// library path holds; a missing or wrong file, or a library without the
// entry point, reads as no DeckLink API, with the variable, the path and
// the loader's own words on a second line. Run through `corvane list`.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>

#include "support/child_process.h"
#include "support/scratch_dir.h"

namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

const char kNoApi[] = "No DeckLink API found. Is Blackmagic Desktop Video installed?\n";

std::string list(const std::map<std::string, std::string>& environment) {
  std::map<std::string, std::string> full = environment;
  full["DECKLINK_SIM_CONFIG"] = "";
  full["DECKLINK_SIM_DEVICES"] = "Named by the variable=hd";
  std::string out;
  EXPECT_EQ(0, runToEnd({CORVANE_BINARY, "list"}, full, "", &out));
  return out;
}

TEST(LoaderOverride, TheVariableWinsOverTheLibraryPath) {
  // The library path finds a library without the entry point...
  EXPECT_EQ(std::string(kNoApi) + "  libDeckLinkAPI.so has no CreateDeckLinkIteratorInstance_0004\n",
            list({{"LD_LIBRARY_PATH", NO_ENTRY_POINT_DIR}, {"CORVANE_DECKLINK_API", ""}}));
  // ...and the variable's simulated card is used all the same.
  EXPECT_THAT(list({{"LD_LIBRARY_PATH", NO_ENTRY_POINT_DIR}, {"CORVANE_DECKLINK_API", SIM_API_PATH}}),
              HasSubstr("Named by the variable"));
  // The variable alone is tried: a missing file is no API, even with the
  // simulated card on the library path.
  const std::string simDirectory =
      std::string(SIM_API_PATH).substr(0, std::string(SIM_API_PATH).rfind('/'));
  EXPECT_THAT(list({{"LD_LIBRARY_PATH", simDirectory}, {"CORVANE_DECKLINK_API", ""}}),
              HasSubstr("Named by the variable"));
  EXPECT_EQ(std::string(kNoApi) +
                "  CORVANE_DECKLINK_API=/nonexistent/libDeckLinkAPI.so: "
                "/nonexistent/libDeckLinkAPI.so: cannot open shared object file: No such file or "
                "directory\n",
            list({{"LD_LIBRARY_PATH", simDirectory},
                  {"CORVANE_DECKLINK_API", "/nonexistent/libDeckLinkAPI.so"}}));
}

TEST(LoaderOverride, AWrongFileOrAMissingEntryPointIsNoApi) {
  ScratchDir scratch;
  const std::string text = scratch.file("libDeckLinkAPI.so");
  std::ofstream(text) << "not a library\n";
  // The loader's own words follow the path (the C library's, not ours).
  for (const std::string& path : {text, scratch.path()}) {
    EXPECT_THAT(list({{"LD_LIBRARY_PATH", ""}, {"CORVANE_DECKLINK_API", path}}),
                StartsWith(std::string(kNoApi) + "  CORVANE_DECKLINK_API=" + path + ": " + path +
                           ": "));
  }
  EXPECT_EQ(std::string(kNoApi) + "  CORVANE_DECKLINK_API=" NO_ENTRY_POINT_API ": " +
                NO_ENTRY_POINT_API + " has no CreateDeckLinkIteratorInstance_0004\n",
            list({{"LD_LIBRARY_PATH", ""}, {"CORVANE_DECKLINK_API", NO_ENTRY_POINT_API}}));
}

}  // namespace
