// The 10-bit RGB pixel ('r210'): one 32-bit word, big-endian in memory.
//   bits 31-30 zero, 29-20 red, 19-10 green, 9-0 blue
// Only the low 10 bits of each input are used (masked, not clamped), so
// 1024 paints as 0: range checks belong to the callers.
#ifndef CORVANE_RENDER_PIXEL_WORD_H
#define CORVANE_RENDER_PIXEL_WORD_H

#include <cstdint>
#include <cstring>

constexpr uint32_t pixelWord(uint16_t r, uint16_t g, uint16_t b) {
  return (uint32_t(r & 0x3FFu) << 20) | (uint32_t(g & 0x3FFu) << 10) | uint32_t(b & 0x3FFu);
}

// Red, green and blue all at level v.
constexpr uint32_t grayWord(uint16_t v) { return uint32_t(v & 0x3FFu) * 0x100401u; }

// The word whose bytes in memory are `word` big-endian, so painting can
// store it as a whole word.
inline uint32_t storedWord(uint32_t word) {
  const unsigned char bytes[4] = {static_cast<unsigned char>(word >> 24),
                                  static_cast<unsigned char>(word >> 16),
                                  static_cast<unsigned char>(word >> 8),
                                  static_cast<unsigned char>(word)};
  uint32_t stored;
  std::memcpy(&stored, bytes, sizeof stored);
  return stored;
}

#endif  // CORVANE_RENDER_PIXEL_WORD_H
