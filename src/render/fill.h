// Runs of one pixel word. memcpy keeps the stores free of alignment
// assumptions and lets the C library write with its widest stores.
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

#endif  // CORVANE_RENDER_FILL_H
