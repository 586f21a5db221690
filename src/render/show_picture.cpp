#include "render/show_picture.h"

#include "decklink/held_card.h"
#include "render/paint_rects.h"
#include "render/pixel_word.h"

namespace {

uint32_t storedColour(const Rgb10& colour) {
  return storedWord(pixelWord(colour.r, colour.g, colour.b));
}

std::string colourText(const Rgb10& colour) {
  return std::to_string(colour.r) + " " + std::to_string(colour.g) + " " + std::to_string(colour.b);
}

bool paintPicture(const FrameView& frame, const Picture& picture) {
  std::vector<PaintedRect> painted;
  painted.reserve(picture.rects.size());
  for (const ColouredRect& rect : picture.rects) {
    painted.push_back({rect.rect, storedColour(rect.colour)});
  }
  return paintFrame(frame, storedColour(picture.background), painted);
}

}  // namespace

Failure showPicture(const Picture& picture) {
  return paintAndShow([&picture](const FrameView& frame) { return paintPicture(frame, picture); });
}

Failure showPatch(uint16_t r, uint16_t g, uint16_t b, uint16_t bgR, uint16_t bgG, uint16_t bgB,
                  double areaPercent, PatchRect* outRect) {
  return paintAndShow([&](const FrameView& frame) {
    *outRect = patchRectForArea(areaPercent, frame.width, frame.height);
    return paintPicture(frame, {{bgR, bgG, bgB}, {{*outRect, {r, g, b}}}});
  });
}

std::string pictureLine(const Picture& picture) {
  std::string line = "patch";
  for (size_t i = 0; i < picture.rects.size(); ++i) {
    const PatchRect& r = picture.rects[i].rect;
    line += (i > 0 ? "; " : " ") + colourText(picture.rects[i].colour) + " window " +
            std::to_string(r.w) + "x" + std::to_string(r.h) + " at (" + std::to_string(r.x) + "," +
            std::to_string(r.y) + ")";
  }
  return line + " on " + colourText(picture.background);
}
