// The alignment frame: a gray background, the outlines of two centred
// boxes, and a crosshair through the centre across the whole frame.
#ifndef CORVANE_RENDER_SHOW_ALIGNMENT_H
#define CORVANE_RENDER_SHOW_ALIGNMENT_H

#include <cstdint>
#include <vector>

#include "decklink/failure.h"
#include "render/paint_rects.h"
#include "render/patch_rect.h"

// Stores the rectangles for `innerArea` and `outerArea` (the rule of the
// patch; the names follow the argument order, not the sizes), paints the
// frame with gray levels `bg`, `line` and `cross` (background, the outer
// then the inner outline in the line level, then the crosshair over them),
// and has the card show it. Fails as showPicture does; without a held
// frame `inner` and `outer` keep their values.
Failure showAlignment(uint16_t bg, uint16_t line, uint16_t cross, double innerArea,
                      double outerArea, PatchRect* inner, PatchRect* outer);

// t = height / 540, but 2 when that is below 3: 2 at 1080 rows, 4 at 2160.
int32_t lineThickness(int32_t height);

// The picture's lines as rectangles over the background, in painting
// order, so that later ones lie over earlier ones: the outer box's four
// bands, the inner box's, then the crosshair's row band (across the whole
// width, centred) and column band (down the whole height). Every band is t
// wide, whatever the size of its box; the frame alone clips them.
std::vector<PaintedRect> alignmentRects(int32_t width, int32_t height, PatchRect inner,
                                        PatchRect outer, uint32_t line, uint32_t cross);

// Rows row0 .. row0+t-1, columns col0 .. col0+length-1.
PatchRect rowBand(int32_t row0, int32_t col0, int32_t length, int32_t t);
// Columns col0 .. col0+t-1, rows row0 .. row0+length-1.
PatchRect columnBand(int32_t col0, int32_t row0, int32_t length, int32_t t);
// The four bands of `rect`, inside it, t wide, in the order top, bottom,
// left, right (a box smaller than t gives bands reaching outside it, a
// 1 x 1 box a plus sign).
void addBoxOutline(const PatchRect& rect, int32_t t, uint32_t stored,
                   std::vector<PaintedRect>* rects);

#endif  // CORVANE_RENDER_SHOW_ALIGNMENT_H
