// A message of the Resolve protocol as a host sends it: the 4-byte
// big-endian length of the payload, then the payload.
#ifndef CORVANE_TESTS_SUPPORT_RESOLVE_FRAME_H
#define CORVANE_TESTS_SUPPORT_RESOLVE_FRAME_H

#include <cstdint>
#include <string>

inline std::string resolveFrame(const std::string& payload) {
  const uint32_t n = static_cast<uint32_t>(payload.size());
  return std::string{static_cast<char>(n >> 24), static_cast<char>(n >> 16),
                     static_cast<char>(n >> 8), static_cast<char>(n)} +
         payload;
}

#endif  // CORVANE_TESTS_SUPPORT_RESOLVE_FRAME_H
