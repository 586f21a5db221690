// Writes a 16-bit RGB PNG with libpng.
#ifndef DECKLINK_SIM_CAPTURE_PNG_TOOL_PNG16_WRITER_H
#define DECKLINK_SIM_CAPTURE_PNG_TOOL_PNG16_WRITER_H

#include <cstdint>
#include <string>
#include <vector>

// Supplies row `y` (width * 6 bytes, samples big-endian) on demand, so a
// 4K frame is never converted whole.
typedef void (*RowSource)(void* context, int32_t y, unsigned char* row);

// A tEXt chunk: keyword (1 to 79 Latin-1 characters) and text.
struct PngText {
  std::string keyword;
  std::string text;
};

// Writes the picture, with `texts` as tEXt chunks before the pixels.
bool writePng16(const std::string& path, int32_t width, int32_t height, RowSource source,
                void* context, const std::vector<PngText>& texts, std::string* problem);

#endif  // DECKLINK_SIM_CAPTURE_PNG_TOOL_PNG16_WRITER_H
