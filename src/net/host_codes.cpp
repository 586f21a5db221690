#include "net/host_codes.h"

#include <algorithm>

uint16_t toTenBits(uint32_t code, int bits) {
  if (bits <= 10) return static_cast<uint16_t>(code << (10 - bits));
  const uint32_t scaled = (code + (uint32_t{1} << (bits - 11))) >> (bits - 10);
  return static_cast<uint16_t>(std::min<uint32_t>(scaled, 1023));
}
