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

CarriedMetadata carriedMetadata(const decklink_sim_frame_metadata& metadata) {
  CarriedMetadata carried;
  carried.flags = metadata.flags;
  for (int i = 0; i < metadata.count; ++i) {
    const decklink_sim_metadata_value& value = metadata.values[i];
    const char id[5] = {char(value.id >> 24), char(value.id >> 16), char(value.id >> 8),
                        char(value.id), '\0'};
    carried.values[id] = value.is_float ? value.float_value : double(value.int_value);
  }
  return carried;
}

std::ostream& operator<<(std::ostream& out, const CarriedMetadata& metadata) {
  out << "flags=0x" << std::hex << metadata.flags << std::dec;
  for (const auto& value : metadata.values) out << " " << value.first << "=" << value.second;
  return out;
}

CarriedMetadata lastMetadata() {
  decklink_sim_frame_metadata metadata = {};
  if (!decklink_sim_last_metadata(&metadata)) return CarriedMetadata{0xFFFFFFFFu, {}};
  return carriedMetadata(metadata);
}

CarriedMetadata frameFileMetadata(const std::string& path) {
  decklink_sim_frame_metadata metadata = {};
  if (!decklink_sim_read_frame_file_metadata(path.c_str(), &metadata)) {
    return CarriedMetadata{0xFFFFFFFFu, {}};
  }
  return carriedMetadata(metadata);
}
