// One row of pixels kept apart from the frame, from which the painters copy
// whole rows (render/frame_stores.h): wide stores, which a word-by-word loop
// does not reach.
//
// The pattern holds its row kPatternRows times over, so that where the
// frame's rows follow each other without padding, one memcpy writes several
// rows (an HD frame is 1080 rows, and a call per row costs time of its own).
// The whole is held twice, the two copies 2048 bytes apart modulo 4096, and
// each copy into the frame reads from the copy whose address differs from the
// destination by 1024 to 3072 bytes modulo 4096: a copy whose source and
// destination share their low twelve address bits stalls each load behind
// the stores before it.
#ifndef CORVANE_RENDER_ROW_PATTERN_H
#define CORVANE_RENDER_ROW_PATTERN_H

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "render/fill.h"
#include "render/frame_stores.h"

// The longest row the program paints: 4096 pixels of 4 bytes.
constexpr int64_t kMaxRowLength = 4 * 4096;

class RowPattern {
 public:
  static constexpr int64_t kPatternRows = 2;

  // Fills the row: `count` words from pixel `first` on.
  void fill(int64_t first, uint32_t stored, int64_t count) {
    fillWords(storage_[0] + 4 * first, stored, count);
  }

  // Repeats the completed row of `rowLength` bytes and makes the second copy.
  void finish(int64_t rowLength) {
    for (int64_t row = 1; row < kPatternRows; ++row) {
      std::memcpy(storage_[0] + row * rowLength, storage_[0], static_cast<size_t>(rowLength));
    }
    std::memcpy(storage_[1] + 2048, storage_[0], static_cast<size_t>(kPatternRows * rowLength));
  }

  // Writes the row to `rows` frame rows from `first` on, `rowBytes` apart,
  // touching only the first `rowLength` bytes of each.
  void copyTo(unsigned char* first, int64_t rows, int64_t rowLength, int64_t rowBytes,
              FrameStores stores) const {
    const int64_t perCopy = rowBytes == rowLength ? kPatternRows : 1;
    for (int64_t done = 0; done < rows;) {
      const int64_t count = std::min(perCopy, rows - done);
      unsigned char* to = first + done * rowBytes;
      copyRun(to, sourceFor(to), static_cast<size_t>((count - 1) * rowBytes + rowLength),
              stores);
      done += count;
    }
  }

 private:
  const unsigned char* sourceFor(const unsigned char* to) const {
    const uintptr_t offset = reinterpret_cast<uintptr_t>(to) & 4095;
    return ((offset + 1024) & 4095) < 2048 ? storage_[1] + 2048 : storage_[0];
  }

  alignas(4096) unsigned char storage_[2][kPatternRows * kMaxRowLength + 4096];
};

#endif  // CORVANE_RENDER_ROW_PATTERN_H
