// The centred patch rectangle for a share of the frame area.
#ifndef CORVANE_RENDER_PATCH_RECT_H
#define CORVANE_RENDER_PATCH_RECT_H

#include <cstdint>

// Frame pixels, origin at the top-left pixel: columns x .. x+w-1, rows
// y .. y+h-1.
struct PatchRect {
  int32_t x = 0;
  int32_t y = 0;
  int32_t w = 0;
  int32_t h = 0;
};

// The rectangle of the frame's aspect ratio that covers `areaPercent` % of a
// width x height frame, centred (an odd margin leaves the extra pixel on the
// right or bottom). 100 or more is the whole frame; every side is at least 1
// pixel; zero, a negative share or NaN gives the 1 x 1 rectangle at the
// centre.
PatchRect patchRectForArea(double areaPercent, int32_t width, int32_t height);

#endif  // CORVANE_RENDER_PATCH_RECT_H
