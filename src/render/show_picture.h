// A picture of coloured rectangles on a background, shown on the held card:
// what a network host describes, and the patch as a special case.
#ifndef CORVANE_RENDER_SHOW_PICTURE_H
#define CORVANE_RENDER_SHOW_PICTURE_H

#include <cstdint>
#include <string>
#include <vector>

#include "decklink/failure.h"
#include "render/patch_rect.h"

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

// The whole screen in `background`, then each rectangle over it, in order.
struct Picture {
  Rgb10 background;
  std::vector<ColouredRect> rects;
};

// Paints every pixel of the held frame, the background and then each
// rectangle in order (later ones over earlier ones, all clipped to the
// frame), and has the card show it. Fails as checkFrameHeld does (nothing
// happens), with "could not write to the frame" when the frame's pixels
// cannot be written (nothing is displayed, so the card never shows an old
// picture as if it were this one), or as displayHeldFrame does.
Failure showPicture(const Picture& picture);

// The picture in words, as the network modes print it:
// "patch 512 512 512 window 300x300 at (810,390) on 212 212 212", with one
// "<colour> window ..." part per rectangle, separated by ";".
std::string pictureLine(const Picture& picture);
// The same without the leading "patch ": "512 512 512 window ... on 0 0 0".
std::string pictureCodes(const Picture& picture);

#endif  // CORVANE_RENDER_SHOW_PICTURE_H
