// `corvane check`, run as a child process with pictures held for no time.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <regex>

#include "support/way_in.h"

namespace {

// The lines before the table, after the driver line.
std::string head(const std::string& card) {
  return "card 0: " + card +
         "\n"
         "each mode: black (64), 50 % gray (502), white (940) full field and the alignment "
         "frame,\n"
         "then with HDR the gray as PQ (HDR10) and as HLG; 0 s each\n\n"
         "mode       outcome  display ms median/max  HDR\n";
}

TEST(CheckCommand, EveryModeShownAndTimedOrTheFirstFailureNamed) {
  const char kVersion16[] = "driver: 16.0.0 (API version word 0x10000000)\n";
  const struct {
    std::string cards;
    std::vector<std::string> words;
    int status;
    std::string driver;
    std::string table;
    size_t displays;  // DisplayVideoFrameSync calls: 8 per mode in SDR, 14 with PQ and HLG
    size_t opens;     // modes whose open reached the output, each released once
  } rows[] = {
      {"[device]\nname = A\nmodes = hd uhd\n[api]\nversion = 12.4.1\n", {}, 0,
       "driver: 12.4.1 (API version word 0x0C040100): older than 16.0, which corvane needs\n",
       "hd         ok       t / t  PQ ok, HLG ok\n"
       "uhd        ok       t / t  PQ ok, HLG ok\n\n2 of 2 modes passed\n",
       28, 2},
      {"[device]\nname = A\nmodes = hd uhd\ndisplay = E_FAIL\n", {}, 1, kVersion16,
       "hd         FAILED   -                      -\n"
       "  hd: black: DisplayVideoFrameSync failed\n"
       "uhd        FAILED   -                      -\n"
       "  uhd: black: DisplayVideoFrameSync failed\n\n"
       "0 of 2 modes passed; first failure: hd: black: DisplayVideoFrameSync failed\n",
       2, 2},
      {"[device]\nname = A\nmodes = hd uhd\nenable.uhd = E_FAIL\nhdr = no\n", {}, 1, kVersion16,
       "hd         ok       t / t  no HDR: device cannot carry HDR metadata\n"
       "uhd        FAILED   -                      -\n"
       "  uhd: open: E_FAIL (failed)\n\n"
       "1 of 2 modes passed; first failure: uhd: open: E_FAIL (failed)\n",
       8, 2},
      {"[device]\nname = A\nmodes = hd uhd\nhdr = pq\n", {"0", "uhd"}, 0, kVersion16,
       "uhd        ok       t / t  PQ ok, HLG: no (device cannot output HLG)\n\n"
       "1 of 1 modes passed\n",
       11, 1},
      // The version is the first counted call: it fails, and the check goes on.
      {"[device]\nname = A\nmodes = hd\nmetadata_set.hdml = E_FAIL\n[faults]\nfail_call = 1\n",
       {}, 1, "driver: version unknown (the driver did not answer its version (E_FAIL))\n",
       "hd         FAILED   t / t  failed\n"
       "  hd: PQ: the card refused the maximum mastering luminance (E_FAIL); previous "
       "signalling kept (failed)\n\n"
       "0 of 1 modes passed; first failure: hd: PQ: the card refused the maximum mastering "
       "luminance (E_FAIL); previous signalling kept (failed)\n",
       8, 1},
  };
  for (const auto& row : rows) {
    SimSession session(row.cards);
    std::vector<std::string> words = {"check", "--seconds", "0"};
    words.insert(words.end(), row.words.begin(), row.words.end());
    std::string out;
    EXPECT_EQ(row.status, runCorvane(session.environment(), words, &out)) << row.table;
    out = std::regex_replace(out, std::regex("\\d+\\.\\d\\d / \\d+\\.\\d\\d +"), "t / t  ");
    EXPECT_EQ("corvane 0.1.0\n" + row.driver + head("A") + row.table, out);
    EXPECT_EQ("", session.audit());
    EXPECT_EQ(row.displays, session.countLogLines("DisplayVideoFrameSync(Frame#"));
    EXPECT_EQ(row.opens, session.countLogLines("DisableVideoOutput()"));
  }
}

}  // namespace
