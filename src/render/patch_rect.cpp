#include "render/patch_rect.h"

#include <cmath>

PatchRect patchRectForArea(double areaPercent, int32_t width, int32_t height) {
  PatchRect rect;
  if (areaPercent >= 100) {
    rect.w = width;
    rect.h = height;
    return rect;
  }
  // Written so that NaN, like a negative share, takes the area-0 branch.
  double scale = areaPercent > 0 ? std::sqrt(areaPercent / 100) : 0.0;
  rect.w = static_cast<int32_t>(std::lround(width * scale));
  rect.h = static_cast<int32_t>(std::lround(height * scale));
  if (rect.w < 2) rect.w = 1;
  if (rect.h < 2) rect.h = 1;
  rect.x = (width - rect.w) / 2;
  rect.y = (height - rect.h) / 2;
  return rect;
}
