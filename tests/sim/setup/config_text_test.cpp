// The configuration text: what it accepts, and the line it names for each
// kind of line it cannot read.
#include <cstdio>

#include "support/card_calls.h"
#include "support/sim_test.h"

namespace {

using ::testing::HasSubstr;

class ConfigTextTest : public SimTest {};

TEST_F(ConfigTextTest, AcceptsEverySectionAndKey) {
  configure(
      "# a comment line\n"
      "   # an indented comment\n"
      "\n"
      "[device]\n"
      "name = Room #2 \\x41\n"
      "model = Model X\n"
      "name_result = 0x80000008\n"
      "name_null = no\n"
      "model_result = E_ABORT\n"
      "model_null = false\n"
      "output = yes\n"
      "configuration = true\n"
      "buffer = 1\n"
      "modes = hd uhd\n"
      "modes = hd@59.94 uhd@24 4k@* hd@23.98\n"
      "probe.hd@59.94 = E_FAIL yes\n"
      "enable.4k@50 = E_FAIL\n"
      "create_frame.uhd@60 = E_OUTOFMEMORY\n"
      "hdr = pq\n"
      "profile_attributes = yes\n"
      "metadata = yes\n"
      "metadata_set = E_FAIL\n"
      "metadata_set.hmil = E_INVALIDARG\n"
      "probe.hd = S_OK yes\n"
      "probe.uhd = E_FAIL no\n"
      "enable.4k = E_ACCESSDENIED\n"
      "create_frame.hd = E_OUTOFMEMORY\n"
      "display = S_FALSE\n"
      "start_access = -2147483640\n"
      "get_bytes = null\n"
      "row_padding = 64\n"
      "id = studio-a\n"
      "[ device ]\n"
      "modes = none\n"
      "get_bytes = E_HANDLE\n"
      "[api]\n"
      "version = 15.3\n"
      "[iterator]\n"
      "fail_after = 5\n"
      "fail_result = E_UNEXPECTED\n"
      "null_at = 7\n"
      "entry_point = normal\n"
      "[faults]\n"
      "fail_call = 1000\n"
      "fail_result = E_NOTIMPL\n"
      "[capture]\n"
      "directory = " + scratch.file("capture") + "\n"
      "memory = yes\n"
      "[log]\n"
      "file = " + scratch.file("calls.log") + "\n");
  EXPECT_STREQ("", decklink_sim_config_error());
  EXPECT_EQ(2u, cardNames().size());
}

TEST_F(ConfigTextTest, ValuesAreTrimmedAndHashOnlyStartsACommentAtLineStart) {
  configure("[device]\r\n  name   =   A # not a comment  \t\r\n");
  IDeckLink* card = device(0);
  ASSERT_NE(nullptr, card);
  EXPECT_EQ("A # not a comment", displayNameOf(card));
  card->Release();
}

TEST_F(ConfigTextTest, ReportsTheLineOfEachKindOfBadLine) {
  const struct {
    const char* text;
    int line;
    const char* what;
  } cases[] = {
      {"[device]\n[decks]\n", 2, "unknown section [decks]"},
      {"[device\n", 1, "must end in ']'"},
      {"name = A\n", 1, "before any [section]"},
      {"[device]\nname A\n", 2, "expected 'key = value'"},
      {"[device]\n = A\n", 2, "expected 'key = value'"},
      {"[device]\ncolour = red\n", 2, "unknown key 'colour' in [device]"},
      {"[device]\nprobe.8k = S_OK yes\n", 2, "unknown key 'probe.8k'"},
      {"[iterator]\nfail_before = 1\n", 2, "unknown key 'fail_before' in [iterator]"},
      {"[faults]\nfail_every = 1\n", 2, "unknown key"},
      {"[capture]\nformat = png\n", 2, "unknown key"},
      {"[log]\nlevel = 1\n", 2, "unknown key"},
      {"[hold]\nfile = x\n", 2, "unknown key"},
      {"[device]\n\n# c\nenable.hd = E_SOMETIMES\n", 4, "expected a result"},
      {"[device]\ndisplay = 0x1FFFFFFFF\n", 2, "expected a result"},
      {"[device]\ndisplay = 0x\n", 2, "expected a result"},
      {"[device]\noutput = maybe\n", 2, "expected yes or no"},
      {"[device]\nmodes = hd 8k\n", 2, "not '8k'"},
      {"[device]\nmodes =\n", 2, "expected modes"},
      {"[device]\nmodes = hd@61\n", 2, "not 'hd@61'"},
      {"[device]\nmodes = hd@\n", 2, "not 'hd@'"},
      {"[device]\nmodes = *\n", 2, "not '*'"},
      {"[device]\nprobe.hd@* = S_OK yes\n", 2, "unknown key 'probe.hd@*'"},
      {"[device]\nhdr = dolby\n", 2, "expected yes, no, pq or hlg"},
      {"[device]\nmetadata = some\n", 2, "expected yes or no"},
      {"[device]\nmetadata_set = E_SOMETIMES\n", 2, "expected a result"},
      {"[device]\nmetadata_set.dovi = E_FAIL\n", 2, "unknown key 'metadata_set.dovi'"},
      {"[device]\nenable.hd@23.976 = E_FAIL\n", 2, "unknown key 'enable.hd@23.976'"},
      {"[device]\nprobe.hd = S_OK\n", 2, "expected '<result> <yes|no>'"},
      {"[device]\nprobe.hd = S_OK yes no\n", 2, "expected '<result> <yes|no>'"},
      {"[device]\nname = bad \\q escape\n", 2, "unknown escape"},
      {"[device]\nname = \\x4\n", 2, "two hex digits"},
      {"[device]\nname = \\x00\n", 2, "cannot be part of a name"},
      {"[device]\nid = ../escape\n", 2, "card id"},
      {"[device]\nrow_padding = -4\n", 2, "whole number"},
      {"[device]\nrow_padding = 70000\n", 2, "above 65536"},
      {"[device]\nrow_bytes = 16777217\n", 2, "above 16777216"},
      {"[device]\ndisable_delay_ms = 60001\n", 2, "above 60000"},
      {"[iterator]\nfail_after = 1.5\n", 2, "whole number"},
      {"[api]\nversion = 16\n", 2, "expected a version such as 16.0"},
      {"[api]\nversion = 16.0.256\n", 2, "(parts 0-255)"},
      {"[api]\nversion = 16.0.1.2\n", 2, "not '16.0.1.2'"},
      {"[api]\nrelease = 16.0\n", 2, "unknown key 'release' in [api]"},
      {"[iterator]\nentry_point = sometimes\n", 2, "null or normal"},
      {"[faults]\nfail_call = 0\n", 2, "at least 1"},
      {"[faults]\nfail_method = StartStreams\n", 2, "expected <Object>.<Method>"},
      {"[device]\ninput = sometimes\n", 2, "expected yes or no"},
      {"[device]\ncable = -1\n", 2, "whole number"},
      {"[device]\nlink.frame_ms = 0\n", 2, "1 or more"},
      {"[device]\nlink.delay = 101\n", 2, "above 100"},
      {"[device]\nlink.pixels = low_bits wobble\n", 2, "not 'wobble'"},
      {"[device]\nlink.metadata = mangle\n", 2, "expected keep, drop or change"},
      {"[device]\nlink.mode = hd@61\n", 2, "expected a mode"},
      {"[capture]\ndirectory =\n", 2, "expected a path"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.line, decklink_sim_configure(c.text)) << c.text;
    const std::string error = decklink_sim_config_error();
    EXPECT_THAT(error, HasSubstr("line " + std::to_string(c.line) + ": ")) << c.text;
    EXPECT_THAT(error, HasSubstr(c.what)) << c.text;
  }
}

TEST_F(ConfigTextTest, AFailedConfigureLeavesNoCard) {
  configure("[device]\nname = A\n");
  ASSERT_EQ(1u, cardNames().size());
  ASSERT_EQ(3, decklink_sim_configure("[device]\nname = B\nfail = yes\n"));
  EXPECT_EQ(0u, cardNames().size());
  EXPECT_EQ(0, decklink_sim_live_objects()) << decklink_sim_report();
}

TEST_F(ConfigTextTest, ALogFileThatCannotBeOpenedFailsAtItsLine) {
  // Under a regular file, where no directory can be made.
  const std::string blocker = scratch.file("plain-file");
  std::FILE* file = std::fopen(blocker.c_str(), "w");
  ASSERT_NE(nullptr, file);
  std::fclose(file);
  const std::string text =
      "[device]\nname = A\n[log]\nfile = " + blocker + "/calls.log\n";
  EXPECT_EQ(4, decklink_sim_configure(text.c_str()));
  EXPECT_THAT(decklink_sim_config_error(), HasSubstr("cannot open log file"));
  EXPECT_EQ(0u, cardNames().size());
}

TEST_F(ConfigTextTest, NullTextGivesTheDefaultCard) {
  ASSERT_EQ(0, decklink_sim_configure(nullptr));
  ASSERT_EQ(1u, cardNames().size());
  IDeckLink* card = device(0);
  EXPECT_EQ("DeckLink Simulator", displayNameOf(card));
  card->Release();
}

TEST_F(ConfigTextTest, SetChangesOneCardAtOnceAndRefusesBadLines) {
  configure("[device]\nname = A\n[device]\nname = B\n");
  IDeckLink* second = device(1);
  ASSERT_NE(nullptr, second);
  EXPECT_EQ(0, decklink_sim_set(1, "name = Renamed\n"));
  EXPECT_EQ("Renamed", displayNameOf(second));  // an object already handed out sees it
  EXPECT_EQ(-1, decklink_sim_set(1, "name = bad \\q"));
  EXPECT_EQ(-1, decklink_sim_set(1, "no equals sign"));
  EXPECT_EQ(-1, decklink_sim_set(1, "[device]"));
  EXPECT_EQ(-1, decklink_sim_set(2, "name = C"));
  EXPECT_EQ(-1, decklink_sim_set(-1, "name = C"));
  EXPECT_EQ("Renamed", displayNameOf(second));
  second->Release();
  IDeckLink* first = device(0);
  EXPECT_EQ("A", displayNameOf(first));
  first->Release();
}

}  // namespace
