// The command line and `corvane list`, run as a child process.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/way_in.h"

namespace {

using ::testing::HasSubstr;

const char kUsage[] =
    "usage: corvane list\n"
    "       corvane run <device> [hd|uhd|4k]   (interactive)\n"
    "       corvane serve                      (used by the app)\n"
    "       corvane modes <device>             (every resolution and rate)\n"
    "       corvane check [<device> [<mode>]] [--seconds S]\n"
    "                                          (first run with a card: every mode shown\n"
    "                                           and timed, S seconds per picture, 1)\n"
    "       corvane resolve <host>[:<port>] [<device> [<mode>]] [<signalling>]\n"
    "                                          (pattern generator for DisplayCAL and\n"
    "                                           other hosts of the Resolve protocol)\n"
    "       corvane pgen [<device> [<mode>]] [--port N] [--listen HOST]\n"
    "                    [--discovery-port N] [<signalling>]\n"
    "                                          (pattern generator for HCFR,\n"
    "                                           pgen_client and other PGenerator hosts)\n"
    "       corvane --version\n"
    "<mode>: hd, uhd, 4k (24p) or one of them at a rate: hd@59.94, uhd@50, 4k@23.98\n"
    "        (rates 23.98 24 25 29.97 30 50 59.94 60); run takes them too\n"
    "<signalling>: --hdr sdr|pq|hlg  --colorspace rec709|rec2020\n"
    "              --primaries rec2020|p3d65|rec709  --max-luminance <cd/m2>\n"
    "              --min-luminance <cd/m2>  --max-cll <cd/m2>  --max-fall <cd/m2>\n";

const char kHeader[] =
    "#   device                         output  HD    UHD   4K   \n"
    "-   ------                         ------  --    ---   --   \n";

const char kLegend[] = "\n(HD/UHD/4K = 10-bit RGB 4:4:4 supported at that resolution)\n";

int run(const std::vector<std::string>& words, const SimSession& session, std::string* out,
        const std::string& input = "") {
  return runCorvane(session.environment(), words, out, input);
}

TEST(CommandLine, WrongCommandLinesPrintUsageWithStatusOne) {
  SimSession session("[device]\nname = A\n");
  const std::vector<std::vector<std::string>> wrong = {
      {}, {"run"}, {"resolve"}, {"modes"}, {"help"}, {"LIST"}, {"Serve"}, {""}, {"--list"}, {"lists"}, {"-version"}};
  for (const auto& words : wrong) {
    std::string out;
    EXPECT_EQ(1, run(words, session, &out)) << (words.empty() ? "(none)" : words[0]);
    EXPECT_EQ(kUsage, out);
  }
  // check reads its words before it asks the card anything.
  const struct {
    std::vector<std::string> words;
    std::string problem;
  } checks[] = {
      {{"check", "--seconds"}, "--seconds needs a value"},
      {{"check", "0", "--seconds", "10.5"}, "--seconds '10.5' is not a number of seconds from 0 to 10"},
      {{"check", "--seconds", "1e1"}, "--seconds '1e1' is not a number of seconds from 0 to 10"},
      {{"check", "0", "hd", "x"}, "one word too many: 'x'"},
      {{"check", "0", "hd@61"}, "unknown mode 'hd@61'"},
      {{"check", "--fast"}, "unknown option '--fast'"},
  };
  for (const auto& check : checks) {
    std::string out;
    EXPECT_EQ(1, run(check.words, session, &out)) << check.problem;
    EXPECT_EQ("corvane check: " + check.problem + "\n" + kUsage, out);
  }
  // Nothing was touched: usage never loads the driver.
  EXPECT_TRUE(session.logLines().empty());
}

TEST(CommandLine, ListPrintsTheTableByteForByte) {
  const struct {
    const char* cards;
    const char* rows;
  } sets[] = {
      {"", "(no Blackmagic devices found)\n"},
      {"[device]\nname = DeckLink 8K Pro\n"
       "[device]\nname = DeckLink Duo 2\nmodes = hd\n"
       "[device]\nname = Intensity Shuttle\noutput = no\n"
       "[device]\nname_result = E_FAIL\nmodes = 4k\n",
       "0   DeckLink 8K Pro                yes     yes   yes   yes  \n"
       "1   DeckLink Duo 2                 yes     yes   NO    NO   \n"
       "2   Intensity Shuttle              no      NO    NO    NO   \n"
       "3   (unknown)                      yes     NO    NO    yes  \n"},
      {"[device]\nname = A name that is longer than thirty columns wide\nmodes = uhd\n",
       "0   A name that is longer than thirty columns wide yes     NO    yes   NO   \n"},
  };
  for (const auto& set : sets) {
    SimSession session(set.cards);
    std::string out;
    EXPECT_EQ(0, run({"list"}, session, &out));
    EXPECT_EQ(std::string(kHeader) + set.rows + kLegend, out);
    EXPECT_EQ("", session.audit());
  }
}

TEST(CommandLine, VersionIsTheProjects) {
  SimSession session("[device]\nname = A\n");
  std::string out;
  EXPECT_EQ(0, run({"--version"}, session, &out));
  EXPECT_EQ("corvane 0.1.0\n", out);
  EXPECT_TRUE(session.logLines().empty());
}

TEST(CommandLine, ListIgnoresFurtherWords) {
  SimSession session("[device]\nname = A\nmodes = hd\n");
  std::string plain, extra;
  EXPECT_EQ(0, run({"list"}, session, &plain));
  EXPECT_EQ(0, run({"list", "--verbose", "x"}, session, &extra));
  EXPECT_EQ(plain, extra);
}

TEST(CommandLine, MissingDriverIsReportedWithStatusZero) {
  std::string out;
  EXPECT_EQ(0, runCorvane(SimSession::withoutDriver(), {"list"}, &out));
  EXPECT_EQ("No DeckLink API found. Is Blackmagic Desktop Video installed?\n", out);
}

TEST(CommandLine, ServeAndRunTakeFurtherWords) {
  SimSession session("[device]\nname = A\n");
  std::string out;
  EXPECT_EQ(0, run({"serve", "extra"}, session, &out, "{\"quit\":1}\n"));
  EXPECT_EQ("{\"ok\":true,\"ready\":true}\n", out);
  EXPECT_EQ(0, run({"run", "0", "hd", "extra"}, session, &out, "q\n"));
  EXPECT_THAT(out, HasSubstr("Device held: hd 1920x1080\n"));
  EXPECT_EQ("", session.audit());
}

}  // namespace
