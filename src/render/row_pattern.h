// One row of pixels kept apart from the frame, from which the painters copy
// whole rows: memcpy writes with the C library's widest stores, which a
// word-by-word loop does not reach.
//
// The row is held twice, the two copies 2048 bytes apart modulo 4096, and
// each frame row is copied from the copy whose address differs from it by
// 1024 to 3072 bytes modulo 4096. A copy whose source and destination share
// their low twelve address bits (as every row of a 4096-wide frame would with
// a source in the frame) stalls each load behind the stores before it.
#ifndef CORVANE_RENDER_ROW_PATTERN_H
#define CORVANE_RENDER_ROW_PATTERN_H

#include <cstdint>
#include <cstring>

#include "render/fill.h"

// The longest row the program paints: 4096 pixels of 4 bytes.
constexpr int64_t kMaxRowLength = 4 * 4096;

class RowPattern {
 public:
  // Fills the pattern: `count` words from pixel `first` on.
  void fill(int64_t first, uint32_t stored, int64_t count) {
    fillWords(storage_[0] + 4 * first, stored, count);
  }

  // Makes the second copy once the row is complete.
  void finish(int64_t length) { std::memcpy(storage_[1] + 2048, storage_[0], length); }

  // Writes the first `length` bytes of the pattern to `row`.
  void copyTo(unsigned char* row, int64_t length) const {
    const uintptr_t offset = reinterpret_cast<uintptr_t>(row) & 4095;
    const unsigned char* from = ((offset + 1024) & 4095) < 2048 ? storage_[1] + 2048 : storage_[0];
    std::memcpy(row, from, static_cast<size_t>(length));
  }

 private:
  alignas(4096) unsigned char storage_[2][kMaxRowLength + 4096];
};

#endif  // CORVANE_RENDER_ROW_PATTERN_H
