#include "support/frames.h"

#include <cstdlib>

uint32_t frameWord(const decklink_sim_frame& frame, int column, int row) {
  const unsigned char* p = frame.bytes + static_cast<size_t>(row) * frame.row_bytes + 4 * column;
  return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
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

FrameFile::FrameFile(const std::string& path)
    : ok_(decklink_sim_read_frame_file(path.c_str(), &frame_) == 1) {}

FrameFile::~FrameFile() {
  if (ok_) std::free(const_cast<unsigned char*>(frame_.bytes));
}
