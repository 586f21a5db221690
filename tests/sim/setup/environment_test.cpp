// The setup a process takes from its environment, as a program run by a
// test gets it. decklink_sim_use_environment reads the variables the way
// the first use of the entry point does.
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "support/card_calls.h"
#include "support/sim_test.h"

namespace {

using ::testing::HasSubstr;

const char* const kVariables[] = {"DECKLINK_SIM_CONFIG", "DECKLINK_SIM_DEVICES",
                                  "DECKLINK_SIM_LOG", "DECKLINK_SIM_CAPTURE",
                                  "DECKLINK_SIM_HOLD_DIR"};

class EnvironmentTest : public SimTest {
 protected:
  void SetUp() override {
    for (const char* name : kVariables) unsetenv(name);
    setenv("DECKLINK_SIM_HOLD_DIR", scratch.path().c_str(), 1);
  }
  void TearDown() override {
    for (const char* name : kVariables) unsetenv(name);
    SimTest::TearDown();
  }

  // Applies the environment; returns what went to stderr meanwhile.
  std::string useEnvironment(int* result) {
    const std::string path = scratch.file("stderr.txt");
    std::fflush(stderr);
    int saved = dup(2);
    int file = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(file, 2);
    *result = decklink_sim_use_environment();
    std::fflush(stderr);
    dup2(saved, 2);
    close(saved);
    close(file);
    std::ifstream text(path);
    std::ostringstream contents;
    contents << text.rdbuf();
    return contents.str();
  }

  bool supports(int index, BMDDisplayMode mode) {
    IDeckLink* card = device(index);
    IDeckLinkOutput* output = outputOf(card);
    bool supported = false;
    BMDDisplayMode actual;
    output->DoesSupportVideoMode(0, mode, bmdFormat10BitRGB, bmdNoVideoOutputConversion, 0,
                                 &actual, &supported);
    output->Release();
    card->Release();
    return supported;
  }

  std::string writeFile(const std::string& name, const std::string& text) {
    const std::string path = scratch.file(name);
    std::ofstream(path) << text;
    return path;
  }
};

TEST_F(EnvironmentTest, WithoutVariablesThereIsOneDefaultCard) {
  int result = -1;
  EXPECT_EQ("", useEnvironment(&result));
  EXPECT_EQ(0, result);
  EXPECT_EQ((std::vector<std::string>{"DeckLink Simulator"}), cardNames());
  EXPECT_TRUE(supports(0, bmdModeHD1080p24));
  EXPECT_TRUE(supports(0, bmdMode4K2160p24));
  EXPECT_TRUE(supports(0, bmdMode4kDCI24));
}

TEST_F(EnvironmentTest, DevicesShorthandNamesCardsAndTheirModes) {
  setenv("DECKLINK_SIM_DEVICES", "DeckLink Duo 2=hd uhd;UltraStudio 4K; Intensity = none ;", 1);
  int result = -1;
  EXPECT_EQ("", useEnvironment(&result));
  EXPECT_EQ(0, result);
  EXPECT_EQ((std::vector<std::string>{"DeckLink Duo 2", "UltraStudio 4K", "Intensity"}),
            cardNames());
  EXPECT_TRUE(supports(0, bmdMode4K2160p24));
  EXPECT_FALSE(supports(0, bmdMode4kDCI24));
  EXPECT_TRUE(supports(1, bmdMode4kDCI24));
  EXPECT_FALSE(supports(2, bmdModeHD1080p24));
}

TEST_F(EnvironmentTest, DevicesShorthandTakesRates) {
  setenv("DECKLINK_SIM_DEVICES", "Fast=hd@59.94 uhd@*;Every rate", 1);
  int result = -1;
  EXPECT_EQ("", useEnvironment(&result));
  EXPECT_EQ(0, result);
  EXPECT_TRUE(supports(0, fourCC("Hp59")));
  EXPECT_FALSE(supports(0, bmdModeHD1080p24));
  EXPECT_TRUE(supports(0, fourCC("4k23")));
  EXPECT_TRUE(supports(0, fourCC("4k60")));
  EXPECT_FALSE(supports(0, fourCC("4d60")));
  // Without '=' a card has every mode at every rate.
  EXPECT_TRUE(supports(1, fourCC("Hp25")));
  EXPECT_TRUE(supports(1, fourCC("4d59")));
}

TEST_F(EnvironmentTest, VariablesOverrideTheFilesCardsLogAndCapture) {
  const std::string fileLog = scratch.file("file.log");
  const std::string envLog = scratch.file("env.log");
  setenv("DECKLINK_SIM_CONFIG",
         writeFile("setup.conf", "[device]\nname = From file\n[iterator]\nfail_after = 1\n"
                                 "[log]\nfile = " + fileLog + "\n[capture]\nmemory = yes\n")
             .c_str(),
         1);
  int result = -1;
  EXPECT_EQ("", useEnvironment(&result));
  EXPECT_EQ((std::vector<std::string>{"From file"}), cardNames());

  setenv("DECKLINK_SIM_DEVICES", "From variable A;From variable B", 1);
  setenv("DECKLINK_SIM_LOG", envLog.c_str(), 1);
  EXPECT_EQ("", useEnvironment(&result));
  // The file's [iterator] still applies; its cards and log do not.
  EXPECT_EQ((std::vector<std::string>{"From variable A"}), cardNames());
  std::ifstream log(envLog);
  std::string first;
  std::getline(log, first);
  EXPECT_THAT(first, HasSubstr(" SIM configure"));
}

TEST_F(EnvironmentTest, ABadFileIsReportedOnStderrAndGivesNoCard) {
  const std::string path = writeFile("bad.conf", "[device]\nname = A\n\nspeed = fast\n");
  setenv("DECKLINK_SIM_CONFIG", path.c_str(), 1);
  setenv("DECKLINK_SIM_DEVICES", "Ignored", 1);
  int result = 0;
  EXPECT_EQ("decklink-sim: " + path + ":4: unknown key 'speed' in [device]\n",
            useEnvironment(&result));
  EXPECT_EQ(-1, result);
  EXPECT_TRUE(cardNames().empty());

  const std::string missing = scratch.file("missing.conf");
  setenv("DECKLINK_SIM_CONFIG", missing.c_str(), 1);
  EXPECT_EQ("decklink-sim: " + missing + ": cannot read: No such file or directory\n",
            useEnvironment(&result));
  EXPECT_TRUE(cardNames().empty());
}

TEST_F(EnvironmentTest, BadDevicesTextIsReportedAndGivesNoCard) {
  setenv("DECKLINK_SIM_DEVICES", "A=hd;B=hd 8k", 1);
  int result = 0;
  EXPECT_THAT(useEnvironment(&result), HasSubstr("decklink-sim: DECKLINK_SIM_DEVICES: card 'B'"));
  EXPECT_EQ(-1, result);
  EXPECT_TRUE(cardNames().empty());
}

}  // namespace
