#include "render/show_patch.h"

#include "decklink/frame_display.h"
#include "decklink/held_device.h"
#include "render/show_picture.h"

Failure showPatch(uint16_t r, uint16_t g, uint16_t b, uint16_t bgR, uint16_t bgG, uint16_t bgB,
                  double areaPercent, PatchRect* outRect) {
  const Failure held = checkFrameHeld();
  if (held.failed()) return held;
  *outRect = patchRectForArea(areaPercent, gMode->width, gMode->height);
  return showPicture({{bgR, bgG, bgB}, {{*outRect, {r, g, b}}}});
}
