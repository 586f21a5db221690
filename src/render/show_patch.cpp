#include "render/show_patch.h"

#include "decklink/held_device.h"
#include "render/frame_access.h"
#include "render/paint_rects.h"
#include "render/pixel_word.h"

ShowResult showPatch(uint16_t r, uint16_t g, uint16_t b, uint16_t bgR, uint16_t bgG,
                     uint16_t bgB, double areaPercent, PatchRect* outRect) {
  if (gMode == nullptr || gFrame == nullptr || gOutput == nullptr) return ShowResult::kNotHeld;
  *outRect = patchRectForArea(areaPercent, gMode->width, gMode->height);
  IDeckLinkVideoBuffer* buffer = nullptr;
  unsigned char* pixels = openFrameForWriting(&buffer);
  if (pixels == nullptr) return ShowResult::kNotWritable;
  const FrameView frame = {pixels, gRowBytes, gMode->width, gMode->height};
  paintRects(frame, storedWord(pixelWord(bgR, bgG, bgB)),
             {{*outRect, storedWord(pixelWord(r, g, b))}},
             frameStoresFor(int64_t{gRowBytes} * gMode->height));
  closeFrameForWriting(buffer);
  return displayHeldFrame();
}
