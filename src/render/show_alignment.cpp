#include "render/show_alignment.h"

#include "decklink/held_card.h"
#include "render/paint_rects.h"
#include "render/pixel_word.h"

namespace {

// t = height / 540, but 2 when that is below 3: 2 at 1080 rows, 4 at 2160.

int32_t lineThickness(int32_t height) {
  int32_t thickness = height / 540;
  return thickness < 3 ? 2 : thickness;
}

// Rows row0 .. row0+t-1, columns col0 .. col0+length-1.
PatchRect rowBand(int32_t row0, int32_t col0, int32_t length, int32_t t) {
  return {col0, row0, length, t};
}

// Columns col0 .. col0+t-1, rows row0 .. row0+length-1.
PatchRect columnBand(int32_t col0, int32_t row0, int32_t length, int32_t t) {
  return {col0, row0, t, length};
}

// The four bands of `rect`, inside it, t wide, in the order top, bottom,
// left, right (a box smaller than t gives bands reaching outside it, a
// 1 x 1 box a plus sign).
void addBoxOutline(const PatchRect& rect, int32_t t, uint32_t stored,
                   std::vector<PaintedRect>* rects) {
  rects->push_back({rowBand(rect.y, rect.x, rect.w, t), stored});
  rects->push_back({rowBand(rect.y + rect.h - t, rect.x, rect.w, t), stored});
  rects->push_back({columnBand(rect.x, rect.y, rect.h, t), stored});
  rects->push_back({columnBand(rect.x + rect.w - t, rect.y, rect.h, t), stored});
}

// The picture's lines as rectangles over the background, in painting
// order, so that later ones lie over earlier ones: the outer box's four
// bands, the inner box's, then the crosshair's row band (across the whole
// width, centred) and column band (down the whole height). Every band is t
// wide, whatever the size of its box; the frame alone clips them.
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

}  // namespace

Failure showAlignment(uint16_t bg, uint16_t line, uint16_t cross, double innerArea,
                      double outerArea, PatchRect* inner, PatchRect* outer) {
  return paintAndShow([&](const FrameView& frame) {
    *inner = patchRectForArea(innerArea, frame.width, frame.height);
    *outer = patchRectForArea(outerArea, frame.width, frame.height);
    return paintFrame(frame, storedWord(grayWord(bg)),
                      alignmentRects(frame.width, frame.height, *inner, *outer,
                                     storedWord(grayWord(line)), storedWord(grayWord(cross))));
  });
}
