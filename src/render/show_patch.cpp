#include "render/show_patch.h"

#include "decklink/device_hold.h"
#include "render/frame_access.h"
#include "render/pixel_word.h"
#include "render/row_pattern.h"

namespace {

// Rows outside the patch are one run of background; rows through it are
// background, patch, background. Each kind is painted once into a pattern
// and copied to its rows; every pixel of the picture is written.
void paintPatch(unsigned char* pixels, const PatchRect& rect, uint32_t patch,
                uint32_t background) {
  const int64_t width = gMode->width;
  const int64_t rowLength = 4 * width;
  RowPattern outside, through;
  outside.fill(0, background, width);
  outside.finish(rowLength);
  through.fill(0, background, rect.x);
  through.fill(rect.x, patch, rect.w);
  through.fill(int64_t{rect.x} + rect.w, background, width - rect.x - rect.w);
  through.finish(rowLength);
  const int64_t top = rect.y, bottom = int64_t{rect.y} + rect.h;
  outside.copyTo(pixels, top, rowLength, gRowBytes);
  through.copyTo(pixels + top * gRowBytes, bottom - top, rowLength, gRowBytes);
  outside.copyTo(pixels + bottom * gRowBytes, gMode->height - bottom, rowLength, gRowBytes);
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
