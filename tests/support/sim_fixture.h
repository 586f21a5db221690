// In-process tests drive the program's own functions against the simulated
// card, which the test executable links: the program's loader then finds the
// same library instance when it opens libDeckLinkAPI.so by name.
#ifndef CORVANE_TESTS_SUPPORT_SIM_FIXTURE_H
#define CORVANE_TESTS_SUPPORT_SIM_FIXTURE_H

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "decklink_sim.h"
#include "support/frame_file.h"

// Configures the card for one test and, at its end, releases whatever the
// test left held and checks that every reference the card handed out was
// released exactly once and that no call broke the API's rules.
class SimTest : public ::testing::Test {
 protected:
  void configure(const std::string& text);
  // Configures `text` and holds card 0 at `resolution`.
  void configureAndOpen(const std::string& text, const char* resolution);
  void TearDown() override;

  // The log lines since the last configure or clearLog.
  static std::vector<std::string> logLines();
  // This process's own directory for the cards' cross-process hold.
  static std::string holdDirectory();
  static void clearLog() { decklink_sim_clear_log(); }
  // The log lines that contain `needle`.
  static std::vector<std::string> logLinesWith(const std::string& needle);
};

// The most recently displayed frame (memory capture must be on).
struct CapturedFrame {
  int width = 0;
  int height = 0;
  int rowBytes = 0;
  const unsigned char* bytes = nullptr;
  decklink_sim_frame frame = {};

  uint32_t word(int column, int row) const { return frameWord(frame, column, row); }
};
CapturedFrame lastFrame();

#endif  // CORVANE_TESTS_SUPPORT_SIM_FIXTURE_H
