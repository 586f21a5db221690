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

// A line of text: its box's top-left pixel, its em height in pixels.
struct PictureText {
  std::string text;
  int32_t x = 0;
  int32_t y = 0;
  int32_t size = 0;
  Rgb10 colour;
};

// The whole screen in `background`, then each text, then each rectangle
// over them, in order: where a text reaches into a rectangle, the
// rectangle wins.
struct Picture {
  Rgb10 background;
  std::vector<ColouredRect> rects;
  std::vector<PictureText> texts = {};
};

// The most lines of text one picture may carry: a line of large glyphs
// takes milliseconds to set, and no host may make a picture cost seconds.
constexpr size_t kMaxPictureTexts = 32;

// Paints every pixel of the held frame, the background, the texts (each
// pixel of a glyph in the text's colour, nothing blended: render/text_runs.h)
// and then each rectangle in order (later ones over earlier ones, all
// clipped to the frame), and has the card show it. A text that cannot be
// set (no font, a size out of range) or more than kMaxPictureTexts lines
// fail the picture: nothing is shown.
// Otherwise fails as paintAndShow does (decklink/held_card.h).
Failure showPicture(const Picture& picture);

// A centred patch of one colour on a background of another: paints every
// pixel of the held frame, patch colour inside the rectangle for
// `areaPercent` (render/patch_rect.h) and background outside, and has the
// card show it. The rectangle goes to `outRect` before painting; when there
// is nothing to paint `outRect` keeps its value. Fails as showPicture does.
Failure showPatch(uint16_t r, uint16_t g, uint16_t b, uint16_t bgR, uint16_t bgG, uint16_t bgB,
                  double areaPercent, PatchRect* outRect);

// The picture in words, as the network modes print it:
// "patch 512 512 512 window 300x300 at (810,390) on 212 212 212", with one
// "<colour> window ..." part per rectangle, separated by ";", and after them
// one "; text '<text>' <colour> size <n> at (x,y)" per text.
std::string pictureLine(const Picture& picture);
// The same without the leading "patch ": "512 512 512 window ... on 0 0 0".
std::string pictureCodes(const Picture& picture);

#endif  // CORVANE_RENDER_SHOW_PICTURE_H
