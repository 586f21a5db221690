#include "render/show_patch.h"

#include "decklink/held_device.h"
#include "render/show_rects.h"

ShowResult showPatch(uint16_t r, uint16_t g, uint16_t b, uint16_t bgR, uint16_t bgG,
                     uint16_t bgB, double areaPercent, PatchRect* outRect) {
  if (gMode == nullptr || gFrame == nullptr || gOutput == nullptr) return ShowResult::kNotHeld;
  *outRect = patchRectForArea(areaPercent, gMode->width, gMode->height);
  return showRects({bgR, bgG, bgB}, {{*outRect, {r, g, b}}});
}
