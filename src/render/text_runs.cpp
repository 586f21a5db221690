#include "render/text_runs.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <csignal>

#include <algorithm>

namespace {

// The font, loaded on first use and kept for the life of the process: a
// picture with text is painted often (HCFR's caption with every patch).
FT_Library gLibrary = nullptr;
FT_Face gFace = nullptr;

Failure loadFont() {
  if (gFace != nullptr) return {};
  if (gLibrary == nullptr && FT_Init_FreeType(&gLibrary) != 0) {
    gLibrary = nullptr;
    return failure(FailureCode::kFailed, "the font library FreeType could not start");
  }
  if (FT_New_Face(gLibrary, textFontFile(), 0, &gFace) != 0) {
    gFace = nullptr;
    return failure(FailureCode::kFailed, std::string("the font ") + textFontFile() +
                                             " cannot be read: install fonts-dejavu-core");
  }
  return {};
}

// The next code point of UTF-8 `text` at `*at`, which it moves past it;
// U+FFFD for a byte that starts no valid sequence.
uint32_t nextCodePoint(const std::string& text, size_t* at) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char first = byte(*at);
  ++*at;
  if (first < 0x80) return first;
  int more = first >= 0xF0 && first < 0xF5 ? 3 : first >= 0xE0 ? 2 : first >= 0xC2 ? 1 : -1;
  if (first >= 0xF5) more = -1;
  if (more < 0 || *at + more > text.size()) return 0xFFFD;
  uint32_t point = first & (0x3F >> more);
  for (int i = 0; i < more; ++i) {
    if ((byte(*at + i) & 0xC0) != 0x80) return 0xFFFD;
    point = (point << 6) | (byte(*at + i) & 0x3F);
  }
  *at += more;
  const uint32_t least[] = {0, 0x80, 0x800, 0x10000};
  if (point < least[more] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) {
    return 0xFFFD;
  }
  return point;
}

// The set pixels of a one-bit glyph bitmap with its top-left at (left,
// top), as runs clipped to the frame.
void addGlyphRuns(const FT_Bitmap& bitmap, int32_t left, int32_t top, int32_t width,
                  int32_t height, uint32_t stored, std::vector<PaintedRect>* runs) {
  for (unsigned row = 0; row < bitmap.rows; ++row) {
    const int64_t y = int64_t(top) + row;
    if (y < 0 || y >= height) continue;
    const unsigned char* bits = bitmap.buffer + int64_t(row) * bitmap.pitch;
    unsigned column = 0;
    while (column < bitmap.width) {
      const auto set = [&](unsigned c) { return (bits[c / 8] >> (7 - c % 8)) & 1; };
      if (!set(column)) {
        ++column;
        continue;
      }
      const unsigned start = column;
      while (column < bitmap.width && set(column)) ++column;
      const int64_t from = std::max<int64_t>(int64_t(left) + start, 0);
      const int64_t to = std::min<int64_t>(int64_t(left) + column, width);
      if (from < to) {
        runs->push_back({{int32_t(from), int32_t(y), int32_t(to - from), 1}, stored});
      }
    }
  }
}

// Whether a signal that ends the program is waiting for its safe point.
// Setting a large glyph takes milliseconds and a picture may hold dozens of
// them, so the setting stops at the next glyph rather than keep the release
// waiting: the picture fails, and the safe point after it ends the program.
bool endingSignalPending() {
  sigset_t pending;
  if (sigpending(&pending) != 0) return false;
  for (int signalNumber : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
    if (sigismember(&pending, signalNumber) == 1) return true;
  }
  return false;
}

}  // namespace

const char* textFontFile() { return CORVANE_FONT_FILE; }

Failure appendTextRuns(const TextLine& line, int32_t width, int32_t height,
                       std::vector<PaintedRect>* runs) {
  if (line.size < 1 || line.size > 1000) {
    return failure(FailureCode::kBadRequest, "a text size is 1-1000 pixels");
  }
  const Failure loaded = loadFont();
  if (loaded.failed()) return loaded;
  if (FT_Set_Pixel_Sizes(gFace, 0, FT_UInt(line.size)) != 0) {
    return failure(FailureCode::kFailed, "the font refused the size " + std::to_string(line.size));
  }
  const int64_t baseline = int64_t(line.y) + (gFace->size->metrics.ascender >> 6);
  // A glyph reaches at most two ems from the pen and the baseline: one that
  // cannot reach the frame is not rendered, and none after the right edge.
  const int64_t reach = 2 * int64_t(line.size);
  if (baseline + reach < 0 || baseline - reach >= height) return {};
  std::vector<PaintedRect> added;
  for (int64_t pen = line.x, at = 0; size_t(at) < line.text.size() && pen < width;) {
    if (endingSignalPending()) {
      return failure(FailureCode::kFailed, "the text was not set: the program is ending");
    }
    size_t next = size_t(at);
    const uint32_t point = nextCodePoint(line.text, &next);
    at = int64_t(next);
    const bool seen = pen + reach >= 0;
    const FT_Int32 load = FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME | (seen ? FT_LOAD_RENDER : 0);
    if (FT_Load_Char(gFace, point, load) != 0 ||
        (seen && gFace->glyph->bitmap.pixel_mode != FT_PIXEL_MODE_MONO)) {
      return failure(FailureCode::kFailed, "the font could not draw U+" + std::to_string(point));
    }
    const FT_GlyphSlot glyph = gFace->glyph;
    if (seen) {
      addGlyphRuns(glyph->bitmap, int32_t(pen + glyph->bitmap_left),
                   int32_t(baseline - glyph->bitmap_top), width, height, line.stored, &added);
    }
    pen += glyph->advance.x >> 6;
  }
  runs->insert(runs->end(), added.begin(), added.end());
  return {};
}
