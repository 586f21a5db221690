#include "render/frame_access.h"

#include "decklink/frame_display.h"
#include "decklink/frame_pixels.h"
#include "decklink/held_device.h"
#include "render/frame_stores.h"
#include "render/row_pattern.h"

unsigned char* openFrameForWriting(IDeckLinkVideoBuffer** buffer) {
  *buffer = nullptr;
  const int64_t rowLength = int64_t{4} * gMode->width;
  if (gRowBytes < rowLength || rowLength > kMaxRowLength) return nullptr;
  return openFramePixels(gFrame, bmdBufferAccessWrite, buffer);
}

void closeFrameForWriting(IDeckLinkVideoBuffer* buffer) {
  // Every streaming store reaches the frame before the card gets it back.
  finishStreaming();
  closeFramePixels(buffer, bmdBufferAccessWrite);
}

Failure paintHeldFrame(uint32_t background, const std::vector<PaintedRect>& rects) {
  IDeckLinkVideoBuffer* buffer = nullptr;
  unsigned char* pixels = openFrameForWriting(&buffer);
  if (pixels == nullptr) return failure(FailureCode::kFailed, kNotWritableMessage);
  const FrameView frame = {pixels, gRowBytes, gMode->width, gMode->height};
  paintRects(frame, background, rects, frameStoresFor(int64_t{gRowBytes} * gMode->height));
  closeFrameForWriting(buffer);
  return displayHeldFrame();
}
