#include "render/show_rects.h"

#include "decklink/held_device.h"
#include "render/frame_access.h"
#include "render/paint_rects.h"
#include "render/pixel_word.h"

namespace {

uint32_t storedColour(const Rgb10& colour) {
  return storedWord(pixelWord(colour.r, colour.g, colour.b));
}

std::string colourText(const Rgb10& colour) {
  return std::to_string(colour.r) + " " + std::to_string(colour.g) + " " +
         std::to_string(colour.b);
}

}  // namespace

ShowResult showRects(Rgb10 background, const std::vector<ColouredRect>& rects) {
  if (gMode == nullptr || gFrame == nullptr || gOutput == nullptr) return ShowResult::kNotHeld;
  std::vector<PaintedRect> painted;
  painted.reserve(rects.size());
  for (const ColouredRect& rect : rects) painted.push_back({rect.rect, storedColour(rect.colour)});
  IDeckLinkVideoBuffer* buffer = nullptr;
  unsigned char* pixels = openFrameForWriting(&buffer);
  if (pixels == nullptr) return ShowResult::kNotWritable;
  const FrameView frame = {pixels, gRowBytes, gMode->width, gMode->height};
  paintRects(frame, storedColour(background), painted,
             frameStoresFor(int64_t{gRowBytes} * gMode->height));
  closeFrameForWriting(buffer);
  return displayHeldFrame();
}

std::string pictureLine(Rgb10 background, const std::vector<ColouredRect>& rects) {
  std::string line = "patch";
  for (size_t i = 0; i < rects.size(); ++i) {
    const PatchRect& r = rects[i].rect;
    line += (i > 0 ? "; " : " ") + colourText(rects[i].colour) + " window " +
            std::to_string(r.w) + "x" + std::to_string(r.h) + " at (" + std::to_string(r.x) +
            "," + std::to_string(r.y) + ")";
  }
  return line + " on " + colourText(background);
}
