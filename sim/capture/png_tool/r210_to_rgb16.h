// Unpacks r210 pixels into 16-bit RGB samples for a PNG.
#ifndef DECKLINK_SIM_CAPTURE_PNG_TOOL_R210_TO_RGB16_H
#define DECKLINK_SIM_CAPTURE_PNG_TOOL_R210_TO_RGB16_H

#include <cstdint>

// One row: `width` pixels, each a big-endian 32-bit word (bits 29-20 red,
// 19-10 green, 9-0 blue), into 6 bytes per pixel, each sample big-endian
// as PNG stores it. A 10-bit value v becomes (v << 6) | (v >> 4), so 0
// stays 0 and 1023 becomes 65535.
void r210RowToRgb16(const unsigned char* r210, int32_t width, unsigned char* rgb16);

#endif  // DECKLINK_SIM_CAPTURE_PNG_TOOL_R210_TO_RGB16_H
