// Text as the runs of pixels that draw it: a line of UTF-8 text set in the
// font corvane was built with (a DejaVu face, found at run time at the
// path the build names), each glyph rendered in one bit per pixel, so that
// a pixel is either the text's colour or untouched: no blended edge ever
// puts a code on the card that the host did not send.
#ifndef CORVANE_RENDER_TEXT_RUNS_H
#define CORVANE_RENDER_TEXT_RUNS_H

#include <cstdint>
#include <string>
#include <vector>

#include "decklink/failure.h"
#include "render/paint_rects.h"

// The font file the build names (CORVANE_FONT_FILE).
const char* textFontFile();

// One line of text: its box's top-left pixel, its size (the em height in
// pixels, 1-1000) and its stored pixel word.
struct TextLine {
  std::string text;
  int32_t x = 0;
  int32_t y = 0;
  int32_t size = 0;
  uint32_t stored = 0;
};

// Appends to `runs` one rectangle of one row for each run of set pixels of
// `line`, clipped to a width x height frame. The line's box runs from its
// top-left pixel as wide as its glyphs advance and as high as the font's
// line (ascender to descender). Only glyphs that can reach the frame are
// rendered, so a long text or one placed far outside costs little. Invalid
// UTF-8 draws U+FFFD. Fails, adding nothing, when the font cannot be loaded
// ("the font <path> cannot be read: install fonts-dejavu-core"), the size
// is out of range, FreeType refuses a glyph, or a signal that ends the
// program is pending (so that no text keeps it waiting).
Failure appendTextRuns(const TextLine& line, int32_t width, int32_t height,
                       std::vector<PaintedRect>* runs);

#endif  // CORVANE_RENDER_TEXT_RUNS_H
