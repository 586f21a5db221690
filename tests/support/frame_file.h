// Reading pixel words out of frames the simulated card displayed.
#ifndef CORVANE_TESTS_SUPPORT_FRAME_FILE_H
#define CORVANE_TESTS_SUPPORT_FRAME_FILE_H

#include <cstdint>
#include <string>

#include "decklink_sim.h"

// The 32-bit pixel word at (column, row), assembled from its big-endian bytes.
uint32_t frameWord(const decklink_sim_frame& frame, int column, int row);

// A capture file, read whole; its bytes are freed with it.
class FrameFile {
 public:
  explicit FrameFile(const std::string& path);
  ~FrameFile();
  FrameFile(const FrameFile&) = delete;
  FrameFile& operator=(const FrameFile&) = delete;

  bool ok() const { return ok_; }
  const decklink_sim_frame& frame() const { return frame_; }
  uint32_t word(int column, int row) const { return frameWord(frame_, column, row); }

 private:
  decklink_sim_frame frame_ = {};
  bool ok_ = false;
};

#endif  // CORVANE_TESTS_SUPPORT_FRAME_FILE_H
