// The two ways the painters write pixels. Both go through memcpy, which
// keeps the stores free of alignment assumptions and lets the C library
// write with its widest stores: painting is bound by memory bandwidth, and a
// word-by-word loop reaches only a fraction of it.
#ifndef CORVANE_RENDER_FILL_H
#define CORVANE_RENDER_FILL_H

#include <algorithm>
#include <cstdint>
#include <cstring>

// Writes `count` copies of a stored word from `dst` on: one word, then the
// words written so far copied after themselves, doubling each time.
inline void fillWords(unsigned char* dst, uint32_t stored, int64_t count) {
  if (count <= 0) return;
  std::memcpy(dst, &stored, sizeof stored);
  for (int64_t done = 1; done < count;) {
    const int64_t more = std::min(done, count - done);
    std::memcpy(dst + 4 * done, dst, static_cast<size_t>(4 * more));
    done += more;
  }
}

// Copies the first `rowLength` bytes of row `source` to rows first .. end-1.
inline void repeatRow(unsigned char* pixels, int64_t rowBytes, int64_t rowLength,
                      int64_t source, int64_t first, int64_t end) {
  const unsigned char* from = pixels + source * rowBytes;
  for (int64_t row = first; row < end; ++row) {
    std::memcpy(pixels + row * rowBytes, from, static_cast<size_t>(rowLength));
  }
}

#endif  // CORVANE_RENDER_FILL_H
