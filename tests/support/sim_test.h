// The fixture of in-process tests against the simulated card, which the
// test executable links: the card's own tests call it through the driver's
// interfaces, and the program's loader finds the same library instance when
// it opens libDeckLinkAPI.so by name.
#ifndef CORVANE_TESTS_SUPPORT_SIM_TEST_H
#define CORVANE_TESTS_SUPPORT_SIM_TEST_H

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "decklink_sim.h"
#include "support/frames.h"
#include "support/log_lines.h"
#include "support/scratch_dir.h"

// Configures the card for one test and, at its end, checks that every
// reference the card handed out since the last configure was released
// exactly once and that no call broke the API's rules.
class SimTest : public ::testing::Test {
 protected:
  // Configures `text` with a hold directory of this test's own ahead of it
  // (a [hold] section in `text` comes later and wins), so that tests
  // running in parallel never hold each other's cards.
  void configure(const std::string& text);
  void TearDown() override;

  // A test whose point is a misuse or an over-release says how many it
  // made; the end check then expects exactly that many, and still no live
  // reference.
  void expectMisusesAtEnd(long count) { misusesAtEnd_ = count; }
  void expectOverReleasesAtEnd(long count) { overReleasesAtEnd_ = count; }

  ScratchDir scratch;

 private:
  long misusesAtEnd_ = 0;
  long overReleasesAtEnd_ = 0;
};

#endif  // CORVANE_TESTS_SUPPORT_SIM_TEST_H
