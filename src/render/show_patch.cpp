#include "render/show_patch.h"

#include "decklink/device_hold.h"
#include "render/frame_access.h"
#include "render/pixel_word.h"

namespace {

// Rows outside the patch are one run of background; rows through it are
// background, patch, background. Every pixel of the picture is written.
void paintPatch(unsigned char* pixels, const PatchRect& rect, uint32_t patch,
                uint32_t background) {
  const int32_t width = gMode->width;
  const int32_t height = gMode->height;
  for (int32_t row = 0; row < height; ++row) {
    unsigned char* line = pixels + int64_t{row} * gRowBytes;
    if (row < rect.y || row >= rect.y + rect.h) {
      fillWords(line, background, width);
      continue;
    }
    fillWords(line, background, rect.x);
    fillWords(line + int64_t{4} * rect.x, patch, rect.w);
    fillWords(line + int64_t{4} * (rect.x + rect.w), background, width - rect.x - rect.w);
  }
}

}  // namespace

bool showPatch(uint16_t r, uint16_t g, uint16_t b, uint16_t bgR, uint16_t bgG, uint16_t bgB,
               double areaPercent, PatchRect* outRect) {
  if (gMode == nullptr || gFrame == nullptr || gOutput == nullptr) return false;
  *outRect = patchRectForArea(areaPercent, gMode->width, gMode->height);
  IDeckLinkVideoBuffer* buffer = nullptr;
  if (unsigned char* pixels = openFrameForWriting(&buffer)) {
    paintPatch(pixels, *outRect, storedWord(pixelWord(r, g, b)),
               storedWord(pixelWord(bgR, bgG, bgB)));
    closeFrameForWriting(buffer);
  }
  return displayHeldFrame();
}
