// A centred patch of one colour on a background of another.
#ifndef CORVANE_RENDER_SHOW_PATCH_H
#define CORVANE_RENDER_SHOW_PATCH_H

#include <cstdint>

#include "decklink/failure.h"
#include "render/patch_rect.h"

// Paints every pixel of the held frame, patch colour inside the rectangle
// for `areaPercent` and background outside, and has the card show it. The
// rectangle goes to `outRect` before painting; without a held frame nothing
// happens and `outRect` keeps its value. Fails as showPicture does.
Failure showPatch(uint16_t r, uint16_t g, uint16_t b, uint16_t bgR, uint16_t bgG, uint16_t bgB,
                  double areaPercent, PatchRect* outRect);

#endif  // CORVANE_RENDER_SHOW_PATCH_H
