#include "render/show_rects.h"

#include "decklink/held_device.h"
#include "render/frame_access.h"
#include "render/paint_rects.h"
#include "render/pixel_word.h"

namespace {

uint32_t storedColour(const Rgb10& colour) {
  return storedWord(pixelWord(colour.r, colour.g, colour.b));
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
