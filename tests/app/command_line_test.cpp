// The command line, `corvane list` and `corvane modes`, run as a child process.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/serve_client.h"

namespace {

using ::testing::HasSubstr;

const std::string kUsage =
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
    "       corvane verify <out-device> <in-device> [<mode>]\n"
    "                                          (proof on the wire: the frames sent are\n"
    "                                           captured back through a cable and compared)\n"
    "       corvane --version\n"
    "<mode>: hd, uhd, 4k (24p) or one of them at a rate: hd@59.94, uhd@50, 4k@23.98\n"
    "        (rates 23.98 24 25 29.97 30 50 59.94 60); run takes them too\n"
    "<signalling>: --hdr sdr|pq|hlg  --colorspace rec709|rec2020\n"
    "              --primaries rec2020|p3d65|rec709|dcip3|p3d60  --max-luminance <cd/m2>\n"
    "              --min-luminance <cd/m2>  --max-cll <cd/m2>  --max-fall <cd/m2>\n"
    "--verify <in-device> (run, serve, resolve, pgen): each picture captured back\n"
    "              through that device's input and compared before it is answered\n";

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
      {}, {"run"}, {"modes"}, {"help"}, {"LIST"}, {"Serve"}, {""}, {"--list"}, {"lists"}, {"-version"}};
  for (const auto& words : wrong) {
    std::string out;
    EXPECT_EQ(1, run(words, session, &out)) << (words.empty() ? "(none)" : words[0]);
    EXPECT_EQ(kUsage, out);
  }
  for (const char* help : {"--help", "-h"}) {  // asked for: no error
    std::string out;
    EXPECT_EQ(0, run({help}, session, &out)) << help;
    EXPECT_EQ(kUsage, out);
  }
  // Nothing was touched: usage never loads the driver.
  EXPECT_TRUE(session.logLines().empty());
}

// What each mode says when it cannot start, byte for byte: its words, read
// before it asks the card anything; then the card, held as corvane run
// holds it, with the same messages; then no driver at all.
TEST(CommandLine, EachModeSaysWhyItCannotStart) {
  const char kCard[] = "[device]\nname = A\n";
  const char kSomeModes[] = "[device]\nname = A\nmodes = hd uhd@59.94\n";
  const char kInputOnly[] = "[device]\nname = In only\noutput = no\n";
  // The path SimSession::withoutDriver() names, and what the loader says of it.
  const std::string kNoDriver =
      "No DeckLink API found. Is Blackmagic Desktop Video installed?\n"
      "  CORVANE_DECKLINK_API=/nonexistent/libDeckLinkAPI.so: /nonexistent/libDeckLinkAPI.so: "
      "cannot open shared object file: No such file or directory\n";
  // A driver older than 16.0, which refuses the 16.0 interfaces.
  const char kOldDriver[] = "[device]\nname = A\n[api]\nversion = 15.3.1\ninterfaces_16 = no\n";
  const std::string kOldCause =
      "device has no output interface: the driver is Desktop Video 15.3.1, and corvane needs "
      "16.0 or later (no_output)\n";
  // The second line after a mode the program does not know.
  const char kModeForms[] =
      "  a mode is hd, uhd or 4k, alone (24p) or with @23.98, @24, @25, @29.97, @30, @50, "
      "@59.94 or @60 (uhd@59.94)\n";
  const struct {
    const char* cards;  // nullptr: no driver
    std::vector<std::string> words;
    int status;
    std::string output;
    bool beforeTheCard;  // the card's log stays empty
  } rows[] = {
      {kCard, {"check", "--seconds"}, 1, "corvane check: --seconds needs a value\n" + kUsage, true},
      {kCard, {"check", "0", "--seconds", "10.5"}, 1,
       "corvane check: --seconds '10.5' is not a number of seconds from 0 to 10\n" + kUsage, true},
      {kCard, {"check", "--seconds", "1e1"}, 1,
       "corvane check: --seconds '1e1' is not a number of seconds from 0 to 10\n" + kUsage, true},
      {kCard, {"check", "0", "hd", "x"}, 1, "corvane check: one word too many: 'x'\n" + kUsage,
       true},
      {kCard, {"check", "0", "hd@61"}, 1,
       "corvane check: unknown mode 'hd@61'\n" + std::string(kModeForms) + kUsage, true},
      {kCard, {"check", "--fast"}, 1, "corvane check: unknown option '--fast'\n" + kUsage, true},
      {kCard, {"pgen", "--port", "70000"}, 1,
       "corvane pgen: --port '70000' is not a number from 0 to 65535\n" + kUsage, true},
      {kCard, {"pgen", "0", "--port"}, 1, "corvane pgen: --port needs a value\n" + kUsage, true},
      {kCard, {"pgen", "--listen", ""}, 1,
       "corvane pgen: --listen needs a host name or address\n" + kUsage, true},
      {kCard, {"pgen", "0", "hd", "extra"}, 1,
       "corvane pgen: one word too many: 'extra'\n" + kUsage, true},
      {kCard, {"pgen", "--verbose"}, 1, "corvane pgen: unknown option '--verbose'\n" + kUsage,
       true},
      {kCard, {"resolve"}, 1,
       "corvane resolve: no host: give the name or address of the computer that runs the "
       "calibration software\n" + kUsage, true},
      {kCard, {"resolve", "127.0.0.1:99999"}, 1,
       "corvane resolve: port '99999' is not a number from 1 to 65535\n", false},
      {kCard, {"resolve", ":20002"}, 1, "corvane resolve: no host in ':20002'\n", false},
      {kCard, {"serve", "--verify"}, 1,
       "corvane serve: --verify needs an input device number\n" + kUsage, true},
      {kCard, {"run", "0", "--verify", "x"}, 1,
       "corvane run: --verify needs an input device number\n" + kUsage, true},
      {kCard, {"verify", "0"}, 1, kUsage, true},
      {kCard, {"verify", "0", "1", "hd@61"}, 1, "corvane verify: unknown mode 'hd@61'\n" + kUsage,
       true},
      {kCard, {"resolve", "[::1", "0"}, 1, "corvane resolve: '[::1' has no closing ']'\n", false},
      {kCard, {"resolve", "127.0.0.1:1", "0", "hd", "--hdr"}, 1,
       "corvane resolve: --hdr needs a value\n", true},
      {kCard, {"resolve", "127.0.0.1:1", "0", "hd", "--hdr", "dolby"}, 1,
       "corvane resolve: --hdr: expected sdr, pq or hlg, not 'dolby'\n", true},
      {kCard, {"resolve", "127.0.0.1:1", "0", "hd", "--hdr", "pq", "--hdr", "hlg"}, 1,
       "corvane resolve: --hdr given twice\n", true},
      {kCard, {"resolve", "127.0.0.1:1", "0", "hd", "--primaries", "p3d65"}, 1,
       "corvane resolve: the signalling options need --hdr sdr, pq or hlg\n", true},
      {kCard, {"resolve", "127.0.0.1:1", "0", "hd", "--hdr", "pq", "--max-cll", "0"}, 1,
       "corvane resolve: --hdr: MaxCLL must be 1-65535 cd/m2\n", true},
      {kCard, {"resolve", "127.0.0.1:1", "0", "hd", "--hdr", "pq", "--gamma", "2.4"}, 1,
       "corvane resolve: unknown option '--gamma'\n", true},
      // A device word that is not a number is refused, not taken as device 0.
      {kCard, {"pgen", "uhd"}, 1, "corvane pgen: device 'uhd' is not a number\n" + kUsage, true},
      {kCard, {"check", "1x", "hd"}, 1, "corvane check: device '1x' is not a number\n" + kUsage,
       true},
      {kCard, {"resolve", "127.0.0.1:1", "hd"}, 1,
       "corvane resolve: device 'hd' is not a number\n", true},
      {kCard, {"resolve", "127.0.0.1:1", "0", "hd", "x"}, 1,
       "corvane resolve: one word too many: 'x'\n", true},
      // The card.
      {kSomeModes, {"run", "0", "uhd"}, 1,
       "Could not open device 0: device cannot output 10-bit RGB 4:4:4 at this resolution "
       "(unsupported)\n"
       "  the card outputs uhd, but not at 24 frames a second: corvane modes 0 lists its rates\n",
       false},
      {kSomeModes, {"run", "0", "uhd@60"}, 1,
       "Could not open device 0: device cannot output 10-bit RGB 4:4:4 at this resolution "
       "(unsupported)\n"
       "  the card outputs uhd, but not at 60 frames a second: corvane modes 0 lists its rates\n",
       false},
      {kSomeModes, {"run", "0", "4k@60"}, 1,  // no 4k at any rate: no word of the rate
       "Could not open device 0: device cannot output 10-bit RGB 4:4:4 at this resolution "
       "(unsupported)\n",
       false},
      {kSomeModes, {"run", "0", "HD"}, 1,
       "Could not open device 0: unknown resolution (bad_request)\n" + std::string(kModeForms),
       false},
      {kSomeModes, {"run", "0", "uhd@59.940"}, 1,
       "Could not open device 0: unknown resolution (bad_request)\n" + std::string(kModeForms),
       false},
      {kSomeModes, {"run", "3", "hd"}, 1,
       "Could not open device 3: no device at that index (no_device)\n", false},
      {kCard, {"resolve", "127.0.0.1", "3"}, 1,
       "Could not open device 3: no device at that index (no_device)\n", false},
      {kCard, {"resolve", "[::1]:20002", "0", "8k"}, 1,
       "Could not open device 0: unknown resolution (bad_request)\n" + std::string(kModeForms),
       false},
      {kCard, {"pgen", "3", "--listen", "127.0.0.1", "--port", "0"}, 1,
       "Could not open device 3: no device at that index (no_device)\n", false},
      {kCard, {"pgen", "0", "8k", "--listen", "127.0.0.1", "--port", "0"}, 1,
       "Could not open device 0: unknown resolution (bad_request)\n" + std::string(kModeForms),
       false},
      {kInputOnly, {"modes", "0"}, 1,
       "corvane modes: device 0: device has no output interface (no_output)\n", false},
      {kInputOnly, {"modes", "2"}, 1,
       "corvane modes: device 2: no device at that index (no_device)\n", false},
      {kCard, {"check", "2"}, 1,
       "corvane 0.1.0\ndriver: 16.0.0 (API version word 0x10000000)\n"
       "corvane check: device 2: no device at that index (no_device)\n",
       false},
      {kOldDriver, {"run", "0"}, 1, "Could not open device 0: " + kOldCause, false},
      {kOldDriver, {"pgen", "0", "--listen", "127.0.0.1", "--port", "0"}, 1,
       "Could not open device 0: " + kOldCause, false},
      {kOldDriver, {"check"}, 1,
       "corvane 0.1.0\ndriver: 15.3.1 (API version word 0x0F030100): older than 16.0, which "
       "corvane needs\ncorvane check: device 0: " + kOldCause, false},
      // No driver: list reports it and ends well, the others with status 1.
      {nullptr, {"list"}, 0, kNoDriver, false},
      {nullptr, {"modes", "0"}, 1, kNoDriver, false},
      {nullptr, {"check"}, 1, kNoDriver, false},
      {nullptr, {"resolve", "127.0.0.1:1"}, 1,
       "Could not open device 0: no device at that index (no_device)\n  No DeckLink API found: " +
           kNoDriver.substr(kNoDriver.find("CORVANE")), false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.output);
    std::string out;
    if (row.cards == nullptr) {
      EXPECT_EQ(row.status, runCorvane(SimSession::withoutDriver(), row.words, &out));
      EXPECT_EQ(row.output, out);
      continue;
    }
    SimSession session(row.cards);
    EXPECT_EQ(row.status, run(row.words, session, &out));
    EXPECT_EQ(row.output, out);
    EXPECT_EQ("", session.audit());
    if (row.beforeTheCard) {
      EXPECT_TRUE(session.logLines().empty());
    }
  }
}

TEST(CommandLine, ListPrintsTheTableByteForByte) {
  const struct {
    const char* cards;
    const char* rows;
    const char* after = "";  // below the legend
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
      {"[device]\nname = A\n[api]\nversion = 15.3.1\ninterfaces_16 = no\n",
       "0   A                              no      NO    NO    NO   \n",
       "(output no: the driver is Desktop Video 15.3.1, and corvane needs 16.0 or later)\n"},
  };
  for (const auto& set : sets) {
    SimSession session(set.cards);
    std::string out;
    EXPECT_EQ(0, run({"list"}, session, &out));
    EXPECT_EQ(std::string(kHeader) + set.rows + kLegend + set.after, out);
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

// A card another program holds: each mode says so, and how to find the
// holder.
TEST(CommandLine, ACardHeldElsewhereSaysHowToFindTheHolder) {
  SimSession session("[device]\nname = A\nmodes = hd uhd\n");
  ServeClient holder(session);
  ASSERT_EQ("{\"ok\":true,\"width\":1920,\"height\":1080}", holder.ask("{\"cmd\":\"open\"}"));
  const struct {
    std::vector<std::string> words;
    const char* ending;
  } rows[] = {
      {{"run", "0"},
       "Could not open device 0: E_ACCESSDENIED (device already in use) (in_use)\n"
       "Another process holds it: pgrep -fl corvane / kill <pid>\n"},
      {{"check", "--seconds", "0"},
       "  hd: open: E_ACCESSDENIED (device already in use) (in_use)\n"
       "Another process holds the card: stop it first (a corvane service: sudo systemctl stop "
       "corvane-pgen; else pgrep -fl corvane / kill <pid>).\n\n"
       "0 of 2 modes passed; first failure: hd: open: E_ACCESSDENIED (device already in use) "
       "(in_use)\n"},
  };
  for (const auto& row : rows) {
    std::string out;
    EXPECT_EQ(1, run(row.words, session, &out)) << row.ending;
    EXPECT_THAT(out, ::testing::EndsWith(row.ending));
  }
  EXPECT_EQ(0, holder.finish());
  EXPECT_EQ("", session.audit());
}

// Words after those a mode reads are left alone; run holds the mode it is
// given (hd@24 is hd, and prints as it always has) on the device named,
// text that is not a number being device 0.
TEST(CommandLine, RunHoldsTheModeItIsGivenAndLeavesFurtherWords) {
  SimSession session("[device]\nname = A\nmodes = hd uhd@59.94\n");
  std::string out;
  EXPECT_EQ(0, run({"serve", "extra"}, session, &out, "{\"quit\":1}\n"));
  EXPECT_EQ("{\"ok\":true,\"ready\":true}\n", out);
  const struct {
    std::vector<std::string> words;
    const char* held;
  } rows[] = {
      {{"run", "0", "hd", "extra"}, "Device held: hd 1920x1080\n"},
      {{"run", "first", "hd"}, "Device held: hd 1920x1080\n"},
      {{"run", "0", "uhd@59.94"}, "Device held: uhd@59.94 3840x2160\n"},
      {{"run", "0", "hd@24"}, "Device held: hd 1920x1080\n"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(0, run(row.words, session, &out, "q\n")) << row.held;
    EXPECT_THAT(out, HasSubstr(row.held));
  }
  EXPECT_EQ("", session.audit());
}

TEST(ModesCommand, PrintsTheTableByteForByte) {
  SimSession session(
      "[device]\nname = Any\n"
      "[device]\nname = DeckLink Duo 2\nmodes = hd@* uhd@23.98 uhd 4k@59.94\n");
  std::string out;
  EXPECT_EQ(0, runCorvane(session.environment(), {"modes", "1"}, &out));
  EXPECT_EQ(
      "device 1: DeckLink Duo 2\n"
      "\n"
      "rate    HD    UHD   4K   \n"
      "----    --    ---   --   \n"
      "23.98   yes   yes   NO   \n"
      "24      yes   yes   NO   \n"
      "25      yes   NO    NO   \n"
      "29.97   yes   NO    NO   \n"
      "30      yes   NO    NO   \n"
      "50      yes   NO    NO   \n"
      "59.94   yes   NO    yes  \n"
      "60      yes   NO    NO   \n"
      "\n"
      "(HD/UHD/4K = 10-bit RGB 4:4:4 supported at that resolution and rate;\n"
      " a mode is named hd@59.94, uhd@50, 4k@23.98 ...; hd, uhd and 4k alone are 24)\n",
      out);
  // Text that is not a number is device 0, as for run.
  EXPECT_EQ(0, runCorvane(session.environment(), {"modes", "first"}, &out));
  EXPECT_THAT(out, HasSubstr("device 0: Any\n"));
  EXPECT_EQ("", session.audit());
}

}  // namespace
