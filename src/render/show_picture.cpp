#include "render/show_picture.h"

#include "decklink/frame_display.h"
#include "decklink/held_device.h"
#include "render/frame_access.h"
#include "render/paint_rects.h"
#include "render/picture_on_card.h"
#include "render/pixel_word.h"

namespace {

uint32_t storedColour(const Rgb10& colour) {
  return storedWord(pixelWord(colour.r, colour.g, colour.b));
}

std::string colourText(const Rgb10& colour) {
  return std::to_string(colour.r) + " " + std::to_string(colour.g) + " " + std::to_string(colour.b);
}

}  // namespace

Failure showPicture(const Picture& picture) {
  const Failure held = checkFrameHeld();
  if (held.failed()) return held;
  std::vector<PaintedRect> painted;
  painted.reserve(picture.rects.size());
  for (const ColouredRect& rect : picture.rects) {
    painted.push_back({rect.rect, storedColour(rect.colour)});
  }
  const Failure shown = paintHeldFrame(storedColour(picture.background), painted);
  if (!shown.failed()) {
    notePictureShown(picture.rects.size() == 1 ? "patch" : "picture", pictureCodes(picture));
  }
  return shown;
}

std::string pictureCodes(const Picture& picture) {
  std::string codes;
  for (size_t i = 0; i < picture.rects.size(); ++i) {
    const PatchRect& r = picture.rects[i].rect;
    codes += (i > 0 ? "; " : "") + colourText(picture.rects[i].colour) + " window " +
             std::to_string(r.w) + "x" + std::to_string(r.h) + " at (" + std::to_string(r.x) +
             "," + std::to_string(r.y) + ")";
  }
  return codes + (codes.empty() ? "on " : " on ") + colourText(picture.background);
}

std::string pictureLine(const Picture& picture) { return "patch " + pictureCodes(picture); }
