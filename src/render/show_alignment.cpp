#include "render/show_alignment.h"

#include <algorithm>

#include "decklink/device_hold.h"
#include "render/fill.h"
#include "render/frame_access.h"
#include "render/pixel_word.h"
#include "render/row_pattern.h"

namespace {

// Fills the part of rows [row0, row0+rows) x columns [col0, col0+cols) that
// lies inside the frame. Bounds are worked out in 64 bits so no band, however
// far outside, can overflow.
void fillClipped(const AlignmentCanvas& canvas, int64_t row0, int64_t rows, int64_t col0,
                 int64_t cols, uint32_t stored) {
  if (rows <= 0 || cols <= 0) return;
  const int64_t top = std::max<int64_t>(row0, 0);
  const int64_t bottom = std::min<int64_t>(row0 + rows, canvas.height);
  const int64_t left = std::max<int64_t>(col0, 0);
  const int64_t right = std::min<int64_t>(col0 + cols, canvas.width);
  if (top >= bottom || left >= right) return;
  for (int64_t row = top; row < bottom; ++row) {
    fillWords(canvas.pixels + row * canvas.rowBytes + 4 * left, stored, right - left);
  }
}

}  // namespace

int32_t lineThickness(int32_t height) {
  int32_t thickness = height / 540;
  return thickness < 3 ? 2 : thickness;
}

void fillRowBand(const AlignmentCanvas& canvas, int32_t row0, int32_t col0, int32_t length,
                 uint32_t stored) {
  fillClipped(canvas, row0, canvas.thickness, col0, length, stored);
}

void fillColumnBand(const AlignmentCanvas& canvas, int32_t col0, int32_t row0, int32_t length,
                    uint32_t stored) {
  fillClipped(canvas, row0, length, col0, canvas.thickness, stored);
}

void drawBoxOutline(const AlignmentCanvas& canvas, const PatchRect& rect, uint32_t stored) {
  const int32_t t = canvas.thickness;
  fillRowBand(canvas, rect.y, rect.x, rect.w, stored);
  fillRowBand(canvas, rect.y + rect.h - t, rect.x, rect.w, stored);
  fillColumnBand(canvas, rect.x, rect.y, rect.h, stored);
  fillColumnBand(canvas, rect.x + rect.w - t, rect.y, rect.h, stored);
}

void fillAlignmentFrame(uint16_t bg, uint16_t line, uint16_t cross, PatchRect inner,
                        PatchRect outer) {
  IDeckLinkVideoBuffer* buffer = nullptr;
  unsigned char* pixels = openFrameForWriting(&buffer);
  if (pixels == nullptr) return;
  const AlignmentCanvas canvas = {pixels, gRowBytes, gMode->width, gMode->height,
                                  lineThickness(gMode->height)};
  const int32_t w = canvas.width;
  const int32_t h = canvas.height;
  const int32_t t = canvas.thickness;
  RowPattern background;
  background.fill(0, storedWord(grayWord(bg)), w);
  background.finish(int64_t{4} * w);
  background.copyTo(pixels, h, int64_t{4} * w, gRowBytes);
  const uint32_t lineWord = storedWord(grayWord(line));
  drawBoxOutline(canvas, outer, lineWord);
  drawBoxOutline(canvas, inner, lineWord);
  const uint32_t crossWord = storedWord(grayWord(cross));
  fillRowBand(canvas, h / 2 - t / 2, 0, w, crossWord);
  fillColumnBand(canvas, w / 2 - t / 2, 0, h, crossWord);
  closeFrameForWriting(buffer);
}

bool showAlignment(uint16_t bg, uint16_t line, uint16_t cross, double innerArea,
                   double outerArea, PatchRect* inner, PatchRect* outer) {
  if (gMode == nullptr || gFrame == nullptr || gOutput == nullptr) return false;
  *inner = patchRectForArea(innerArea, gMode->width, gMode->height);
  *outer = patchRectForArea(outerArea, gMode->width, gMode->height);
  fillAlignmentFrame(bg, line, cross, *inner, *outer);
  return displayHeldFrame();
}
