// The alignment frame: a gray background, the outlines of two centred
// boxes, and a crosshair through the centre across the whole frame.
#ifndef CORVANE_RENDER_SHOW_ALIGNMENT_H
#define CORVANE_RENDER_SHOW_ALIGNMENT_H

#include <cstdint>

#include "decklink/failure.h"
#include "render/patch_rect.h"

// Stores the rectangles for `innerArea` and `outerArea` (the rule of the
// patch; the names follow the argument order, not the sizes), paints the
// frame with gray levels `bg`, `line` and `cross` (background, the outer
// then the inner outline in the line level, then the crosshair over them),
// and has the card show it. Fails as showPicture does; when there is
// nothing to paint `inner` and `outer` keep their values.
Failure showAlignment(uint16_t bg, uint16_t line, uint16_t cross, double innerArea,
                      double outerArea, PatchRect* inner, PatchRect* outer);

#endif  // CORVANE_RENDER_SHOW_ALIGNMENT_H
