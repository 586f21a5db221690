#include "sim_test_support.h"

#include <stdlib.h>

#include <filesystem>
#include <sstream>

ScratchDir::ScratchDir() {
  std::string pattern = ::testing::TempDir() + "decklink-sim-test-XXXXXX";
  char* made = mkdtemp(&pattern[0]);
  if (made == nullptr) ADD_FAILURE() << "mkdtemp failed for " << pattern;
  path_ = pattern;
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void SimCardTest::configure(const std::string& text) {
  const std::string full = "[hold]\ndirectory = " + scratch.path() + "\n" + text;
  ASSERT_EQ(0, decklink_sim_configure(full.c_str()))
      << decklink_sim_config_error() << "\n" << full;
}

IDeckLink* SimCardTest::device(int index) {
  IDeckLinkIterator* iterator = CreateDeckLinkIteratorInstance_0004();
  if (iterator == nullptr) return nullptr;
  IDeckLink* found = nullptr;
  for (int position = 0; position <= index; ++position) {
    if (found != nullptr) found->Release();
    found = nullptr;
    if (iterator->Next(&found) != kS_OK || found == nullptr) break;
  }
  iterator->Release();
  return found;
}

IDeckLinkOutput* SimCardTest::outputOf(IDeckLink* card) {
  void* output = nullptr;
  EXPECT_EQ(kS_OK, card->QueryInterface(IID_IDeckLinkOutput, &output));
  return static_cast<IDeckLinkOutput*>(output);
}

IDeckLinkOutput* SimCardTest::enabledOutput(BMDDisplayMode mode) {
  IDeckLink* card = device(0);
  if (card == nullptr) return nullptr;
  IDeckLinkOutput* output = outputOf(card);
  card->Release();
  EXPECT_EQ(kS_OK, output->EnableVideoOutput(mode, bmdVideoOutputFlagDefault));
  return output;
}

IDeckLinkMutableVideoFrame* SimCardTest::createFrame(IDeckLinkOutput* output, int32_t width,
                                                     int32_t height) {
  IDeckLinkMutableVideoFrame* frame = nullptr;
  const int32_t rowBytes = ((width + 63) / 64) * 256;
  EXPECT_EQ(kS_OK, output->CreateVideoFrame(width, height, rowBytes, bmdFormat10BitRGB,
                                            bmdFrameFlagDefault, &frame));
  return frame;
}

IDeckLinkVideoBuffer* SimCardTest::bufferOf(IDeckLinkMutableVideoFrame* frame) {
  void* buffer = nullptr;
  EXPECT_EQ(kS_OK, frame->QueryInterface(IID_IDeckLinkVideoBuffer, &buffer));
  return static_cast<IDeckLinkVideoBuffer*>(buffer);
}

std::vector<std::string> SimCardTest::logLines() {
  std::vector<std::string> lines;
  std::istringstream log(decklink_sim_log());
  for (std::string line; std::getline(log, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> SimCardTest::logLinesWith(const std::string& needle) {
  std::vector<std::string> matching;
  for (const std::string& line : logLines()) {
    if (contains(line, needle)) matching.push_back(line);
  }
  return matching;
}

long SimCardTest::lastObjectId(const std::string& line) {
  const size_t hash = line.rfind('#');
  return hash == std::string::npos ? -1 : std::stol(line.substr(hash + 1));
}

bool contains(const std::string& haystack, const std::string& needle) {
  return haystack.find(needle) != std::string::npos;
}
