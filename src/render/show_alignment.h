// The alignment frame: a gray background, the outlines of two centred
// boxes, and a crosshair through the centre across the whole frame.
#ifndef CORVANE_RENDER_SHOW_ALIGNMENT_H
#define CORVANE_RENDER_SHOW_ALIGNMENT_H

#include <cstdint>

#include "render/patch_rect.h"

// Stores the rectangles for `innerArea` and `outerArea` (the rule of the
// patch; the names follow the argument order, not the sizes), paints the
// frame with gray levels `bg`, `line` and `cross`, and has the card show it.
// Returns as showPatch does; with nothing held, `inner` and `outer` keep
// their values.
bool showAlignment(uint16_t bg, uint16_t line, uint16_t cross, double innerArea,
                   double outerArea, PatchRect* inner, PatchRect* outer);

// Paints the held frame: background, the outer then the inner outline in
// the line level, then the crosshair over them. Nothing when the frame
// refuses its pixels.
void fillAlignmentFrame(uint16_t bg, uint16_t line, uint16_t cross, PatchRect inner,
                        PatchRect outer);

// Where the drawing steps paint: the frame's first byte, its row length and
// size, and the line thickness t. Every band is clipped to the frame.
struct AlignmentCanvas {
  unsigned char* pixels;
  int32_t rowBytes;
  int32_t width;
  int32_t height;
  int32_t thickness;
};

// t = height / 540, but 2 when that is below 3: 2 at 1080 rows, 4 at 2160.
int32_t lineThickness(int32_t height);

// Rows row0 .. row0+t-1, columns col0 .. col0+length-1.
void fillRowBand(const AlignmentCanvas& canvas, int32_t row0, int32_t col0, int32_t length,
                 uint32_t stored);
// Columns col0 .. col0+t-1, rows row0 .. row0+length-1.
void fillColumnBand(const AlignmentCanvas& canvas, int32_t col0, int32_t row0, int32_t length,
                    uint32_t stored);
// The four bands of `rect`, inside it, t wide, whatever its size (a box
// smaller than t gives bands reaching outside it, a 1 x 1 box a plus sign).
void drawBoxOutline(const AlignmentCanvas& canvas, const PatchRect& rect, uint32_t stored);

#endif  // CORVANE_RENDER_SHOW_ALIGNMENT_H
