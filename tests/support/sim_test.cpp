#include "support/sim_test.h"

void SimTest::configure(const std::string& text) {
  const std::string full = "[hold]\ndirectory = " + scratch.path() + "\n" + text;
  ASSERT_EQ(0, decklink_sim_configure(full.c_str()))
      << decklink_sim_config_error() << "\n" << full;
}

void SimTest::TearDown() {
  EXPECT_EQ(0, decklink_sim_live_objects()) << decklink_sim_report();
  EXPECT_EQ(overReleasesAtEnd_, decklink_sim_over_releases()) << decklink_sim_report();
  EXPECT_EQ(misusesAtEnd_, decklink_sim_misuse_count()) << decklink_sim_report();
}
