// Writes a 16-bit RGB PNG with libpng.
#ifndef DECKLINK_SIM_CAPTURE_PNG_TOOL_PNG16_WRITER_H
#define DECKLINK_SIM_CAPTURE_PNG_TOOL_PNG16_WRITER_H

#include <cstdint>
#include <string>

// Supplies row `y` (width * 6 bytes, samples big-endian) on demand, so a
// 4K frame is never converted whole.
typedef void (*RowSource)(void* context, int32_t y, unsigned char* row);

bool writePng16(const std::string& path, int32_t width, int32_t height, RowSource source,
                void* context, std::string* problem);

#endif  // DECKLINK_SIM_CAPTURE_PNG_TOOL_PNG16_WRITER_H
