#include "render/show_patch.h"

#include <algorithm>

#include "decklink/device_hold.h"
#include "render/fill.h"
#include "render/frame_access.h"
#include "render/pixel_word.h"

namespace {

// Rows outside the patch are one run of background; rows through it are
// background, patch, background. One row of each kind is painted and then
// copied to the other rows of its kind; every pixel of the picture is
// written.
void paintPatch(unsigned char* pixels, const PatchRect& rect, uint32_t patch,
                uint32_t background) {
  const int64_t width = gMode->width;
  const int64_t height = gMode->height;
  const int64_t rowLength = 4 * width;
  const int64_t top = rect.y, bottom = int64_t{rect.y} + rect.h;
  // The first background row is painted; the others are copies of it.
  const int64_t source = top > 0 ? 0 : bottom;
  if (source < height) {
    fillWords(pixels + source * gRowBytes, background, width);
    repeatRow(pixels, gRowBytes, rowLength, source, source + 1, top);
    repeatRow(pixels, gRowBytes, rowLength, source, std::max(bottom, source + 1), height);
  }
  unsigned char* line = pixels + top * gRowBytes;
  fillWords(line, background, rect.x);
  fillWords(line + 4 * int64_t{rect.x}, patch, rect.w);
  fillWords(line + 4 * (int64_t{rect.x} + rect.w), background, width - rect.x - rect.w);
  repeatRow(pixels, gRowBytes, rowLength, top, top + 1, bottom);
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
