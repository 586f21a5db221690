// Frames the simulated card displayed: the last one, kept in memory, and
// capture files; read pixel word by pixel word.
#ifndef CORVANE_TESTS_SUPPORT_FRAMES_H
#define CORVANE_TESTS_SUPPORT_FRAMES_H

#include <cstdint>
#include <map>
#include <ostream>
#include <string>

#include "decklink_sim.h"

// The 32-bit pixel word at (column, row), assembled from its big-endian bytes.
uint32_t frameWord(const decklink_sim_frame& frame, int column, int row);

// The most recently displayed frame ([capture] memory = yes); all zero when
// there is none. Its bytes stay the card's until the next display or configure.
struct CapturedFrame {
  int width = 0;
  int height = 0;
  int rowBytes = 0;
  const unsigned char* bytes = nullptr;
  decklink_sim_frame frame = {};

  uint32_t word(int column, int row) const { return frameWord(frame, column, row); }
};
CapturedFrame lastFrame();

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

// The metadata a displayed frame carried, as the card recorded it: its
// flag word and its values by id ("eotf"), integers as the exact doubles
// they are.
struct CarriedMetadata {
  uint32_t flags = 0;
  std::map<std::string, double> values;

  bool operator==(const CarriedMetadata& other) const {
    return flags == other.flags && values == other.values;
  }
};
std::ostream& operator<<(std::ostream& out, const CarriedMetadata& metadata);
CarriedMetadata carriedMetadata(const decklink_sim_frame_metadata& metadata);

// The last displayed frame's metadata; flags 0xFFFFFFFF when no frame was
// displayed since the configure.
CarriedMetadata lastMetadata();
// A capture file's; flags 0xFFFFFFFF when it cannot be read.
CarriedMetadata frameFileMetadata(const std::string& path);

#endif  // CORVANE_TESTS_SUPPORT_FRAMES_H
