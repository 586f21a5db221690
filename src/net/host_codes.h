// Colour codes as hosts send them, at 8 to 16 bits, as the 10-bit codes
// corvane paints: the one scaling of both network protocols.
#ifndef CORVANE_NET_HOST_CODES_H
#define CORVANE_NET_HOST_CODES_H

#include <cstdint>

// A code at `bits` bits (1 to 16) as a 10-bit code, the way the hosts scale
// video levels: up to 10 bits shifted left (8-bit 16 -> 64, 235 -> 940,
// 255 -> 1020); above 10 bits rounded to the nearest, at most 1023.
uint16_t toTenBits(uint32_t code, int bits);

#endif  // CORVANE_NET_HOST_CODES_H
