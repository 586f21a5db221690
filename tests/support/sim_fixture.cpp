#include "support/sim_fixture.h"

#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "decklink/device_hold.h"

void SimTest::configure(const std::string& text) {
  // Tests run two at a time: each process keeps its cards' hold apart from
  // the others', unless the test sets a hold directory of its own.
  std::string full = text;
  if (full.find("[hold]") == std::string::npos) {
    full += "\n[hold]\ndirectory = " + holdDirectory() + "\n";
  }
  ASSERT_EQ(0, decklink_sim_configure(full.c_str())) << full;
}

void SimTest::configureAndOpen(const std::string& text, const char* resolution) {
  configure(text);
  std::string message;
  ASSERT_EQ("", openDevice(0, resolution, &message)) << message;
}

std::string SimTest::holdDirectory() {
  return ::testing::TempDir() + "corvane-hold-" + std::to_string(getpid());
}

void SimTest::TearDown() {
  closeDevice();
  std::error_code ignored;
  std::filesystem::remove_all(holdDirectory(), ignored);
  EXPECT_EQ(0, decklink_sim_live_objects()) << decklink_sim_report();
  EXPECT_EQ(0, decklink_sim_over_releases()) << decklink_sim_report();
  EXPECT_EQ(0, decklink_sim_misuse_count()) << decklink_sim_report();
}

std::vector<std::string> SimTest::logLines() {
  std::vector<std::string> lines;
  std::istringstream log(decklink_sim_log());
  for (std::string line; std::getline(log, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> SimTest::logLinesWith(const std::string& needle) {
  std::vector<std::string> matching;
  for (const std::string& line : logLines()) {
    if (line.find(needle) != std::string::npos) matching.push_back(line);
  }
  return matching;
}

CapturedFrame lastFrame() {
  decklink_sim_frame frame = {};
  CapturedFrame captured;
  if (!decklink_sim_last_frame(&frame)) return captured;
  captured.width = frame.width;
  captured.height = frame.height;
  captured.rowBytes = frame.row_bytes;
  captured.bytes = frame.bytes;
  captured.frame = frame;
  return captured;
}
