#include "support/frame_file.h"

#include <cstdlib>

uint32_t frameWord(const decklink_sim_frame& frame, int column, int row) {
  const unsigned char* p = frame.bytes + static_cast<size_t>(row) * frame.row_bytes + 4 * column;
  return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

FrameFile::FrameFile(const std::string& path)
    : ok_(decklink_sim_read_frame_file(path.c_str(), &frame_) == 1) {}

FrameFile::~FrameFile() {
  if (ok_) std::free(const_cast<unsigned char*>(frame_.bytes));
}
