// A picture of coloured rectangles on a background, shown on the held card:
// what a network host describes, and the patch as a special case.
#ifndef CORVANE_RENDER_SHOW_RECTS_H
#define CORVANE_RENDER_SHOW_RECTS_H

#include <cstdint>
#include <string>
#include <vector>

#include "render/patch_rect.h"
#include "render/show_result.h"

// A colour as 10-bit code values; only the low 10 bits of each are used.
struct Rgb10 {
  uint16_t r = 0;
  uint16_t g = 0;
  uint16_t b = 0;
};

struct ColouredRect {
  PatchRect rect;
  Rgb10 colour;
};

// Paints every pixel of the held frame, the background and then each
// rectangle in order (later ones over earlier ones, all clipped to the
// frame), and has the card show it. Nothing is displayed when the frame
// cannot be written (kNotWritable); with nothing held nothing happens.
ShowResult showRects(Rgb10 background, const std::vector<ColouredRect>& rects);

// The picture in words, as the network modes print it:
// "patch 512 512 512 window 300x300 at (810,390) on 212 212 212", with one
// "<colour> window ..." part per rectangle, separated by ";".
std::string pictureLine(Rgb10 background, const std::vector<ColouredRect>& rects);

#endif  // CORVANE_RENDER_SHOW_RECTS_H
