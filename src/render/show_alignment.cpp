#include "render/show_alignment.h"

#include <string>

#include "decklink/frame_display.h"
#include "decklink/held_device.h"
#include "render/frame_access.h"
#include "render/picture_on_card.h"
#include "render/pixel_word.h"

int32_t lineThickness(int32_t height) {
  int32_t thickness = height / 540;
  return thickness < 3 ? 2 : thickness;
}

PatchRect rowBand(int32_t row0, int32_t col0, int32_t length, int32_t t) {
  return {col0, row0, length, t};
}

PatchRect columnBand(int32_t col0, int32_t row0, int32_t length, int32_t t) {
  return {col0, row0, t, length};
}

void addBoxOutline(const PatchRect& rect, int32_t t, uint32_t stored,
                   std::vector<PaintedRect>* rects) {
  rects->push_back({rowBand(rect.y, rect.x, rect.w, t), stored});
  rects->push_back({rowBand(rect.y + rect.h - t, rect.x, rect.w, t), stored});
  rects->push_back({columnBand(rect.x, rect.y, rect.h, t), stored});
  rects->push_back({columnBand(rect.x + rect.w - t, rect.y, rect.h, t), stored});
}

std::vector<PaintedRect> alignmentRects(int32_t width, int32_t height, PatchRect inner,
                                        PatchRect outer, uint32_t line, uint32_t cross) {
  const int32_t t = lineThickness(height);
  std::vector<PaintedRect> rects;
  addBoxOutline(outer, t, line, &rects);
  addBoxOutline(inner, t, line, &rects);
  rects.push_back({rowBand(height / 2 - t / 2, 0, width, t), cross});
  rects.push_back({columnBand(width / 2 - t / 2, 0, height, t), cross});
  return rects;
}

Failure showAlignment(uint16_t bg, uint16_t line, uint16_t cross, double innerArea,
                      double outerArea, PatchRect* inner, PatchRect* outer) {
  const Failure held = checkFrameHeld();
  if (held.failed()) return held;
  *inner = patchRectForArea(innerArea, gMode->width, gMode->height);
  *outer = patchRectForArea(outerArea, gMode->width, gMode->height);
  const Failure shown =
      paintHeldFrame(storedWord(grayWord(bg)),
                     alignmentRects(gMode->width, gMode->height, *inner, *outer,
                                    storedWord(grayWord(line)), storedWord(grayWord(cross))));
  if (!shown.failed()) {
    const auto box = [](const PatchRect& r) {
      return std::to_string(r.w) + "x" + std::to_string(r.h);
    };
    notePictureShown("alignment", "background " + std::to_string(bg & 0x3FF) + " lines " +
                                      std::to_string(line & 0x3FF) + " crosshair " +
                                      std::to_string(cross & 0x3FF) + ", boxes " + box(*inner) +
                                      " and " + box(*outer));
  }
  return shown;
}
