// What the network modes' fuzz targets share: an input played as a byte
// stream that arrives in pieces, the way reads deliver it, and the check
// that stops the run where an invariant breaks.
#ifndef CORVANE_FUZZ_NETWORK_STREAM_H
#define CORVANE_FUZZ_NETWORK_STREAM_H

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

inline void check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
  }
}

// The input's first byte chooses the size of the pieces, 1 to 256 bytes;
// the rest is the stream. Calls take(bytes, count) for each piece in order
// until it returns false.
template <class Take>
void feedInPieces(const uint8_t* data, size_t size, Take take) {
  if (size < 1) return;
  const size_t piece = size_t{data[0]} + 1;
  const char* stream = reinterpret_cast<const char*>(data + 1);
  const size_t length = size - 1;
  for (size_t at = 0; at < length;) {
    const size_t count = std::min(piece, length - at);
    if (!take(stream + at, count)) return;
    at += count;
  }
}

#endif  // CORVANE_FUZZ_NETWORK_STREAM_H
