// A whole frame of rectangles on a background: the picture of a patch, and
// of a host that sends several rectangles at once.
#ifndef CORVANE_RENDER_PAINT_RECTS_H
#define CORVANE_RENDER_PAINT_RECTS_H

#include <cstdint>
#include <vector>

#include "decklink/held_card.h"
#include "render/frame_stores.h"
#include "render/patch_rect.h"

// A painter writes into a FrameView (decklink/held_card.h): the frame's
// first byte, its row stride (at least 4 * width) and its size in pixels.

// A rectangle and the stored pixel word it is painted with.
struct PaintedRect {
  PatchRect rect;
  uint32_t stored;
};

// Writes every pixel of the frame exactly once: the word of the last
// rectangle that covers it, or the background word where none does.
// Rectangles are clipped to the frame; one with no pixel inside paints
// nothing. The bytes of a row past its last pixel are never touched.
//
// The frame falls into bands of rows that the same rectangles cross; a band
// of one colour is filled, any other band is painted once into a row
// pattern and copied to each of its rows. A band's runs are kept for the
// next, and only the columns of the rectangles that start or end at its
// edge are worked out again, so the cost is the pixels plus a little per
// rectangle and edge (1,030 nested rectangles cost about 1.2 x a patch),
// and a signal waits for no long paint.
void paintRects(const FrameView& frame, uint32_t background,
                const std::vector<PaintedRect>& rects, FrameStores stores);

// The painter of every picture the program shows, for paintAndShow
// (decklink/held_card.h): paintRects with the stores frameStoresFor picks
// for the frame's size, every store finished before it returns. False,
// writing nothing, for a frame wider than kMaxRowLength.
bool paintFrame(const FrameView& frame, uint32_t background,
                const std::vector<PaintedRect>& rects);

// Writes `stored` to the first 4 * width bytes of rows `top` .. `bottom` - 1.
void fillRows(const FrameView& frame, int64_t top, int64_t bottom, uint32_t stored,
              FrameStores stores);

#endif  // CORVANE_RENDER_PAINT_RECTS_H
