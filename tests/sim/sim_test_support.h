// Helpers for tests that drive the simulated card in-process, through the
// same interfaces the program uses.
#ifndef CORVANE_TESTS_SIM_SIM_TEST_SUPPORT_H
#define CORVANE_TESTS_SIM_SIM_TEST_SUPPORT_H

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "decklink/decklink_api.h"
#include "decklink_sim.h"

extern "C" IDeckLinkIterator* CreateDeckLinkIteratorInstance_0004(void);

// A fresh directory under the test temp dir, removed with its contents.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

class SimCardTest : public ::testing::Test {
 protected:
  // Configures `text` with a hold directory of this test's own, so tests
  // running in parallel never hold each other's cards.
  void configure(const std::string& text);

  // Card `index` in enumeration order, with the iterator and the cards
  // passed over released.
  IDeckLink* device(int index);
  IDeckLinkOutput* outputOf(IDeckLink* device);
  // Card 0's output, enabled at `mode`; the device is released.
  IDeckLinkOutput* enabledOutput(BMDDisplayMode mode);
  IDeckLinkMutableVideoFrame* createFrame(IDeckLinkOutput* output, int32_t width,
                                          int32_t height);
  IDeckLinkVideoBuffer* bufferOf(IDeckLinkMutableVideoFrame* frame);

  static std::vector<std::string> logLines();
  static std::vector<std::string> logLinesWith(const std::string& needle);
  // The id in "Kind#<id>" of the last word of `line`.
  static long lastObjectId(const std::string& line);

  ScratchDir scratch;
};

// True when `haystack` contains `needle`.
bool contains(const std::string& haystack, const std::string& needle);

#endif  // CORVANE_TESTS_SIM_SIM_TEST_SUPPORT_H
