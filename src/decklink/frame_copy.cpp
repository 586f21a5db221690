#include "decklink/frame_copy.h"

#include <cstring>

#include "decklink/enable_mode.h"
#include "decklink/frame_pixels.h"
#include "decklink/held_device.h"

namespace {

// Both frames were made for gMode with gRowBytes per row.
bool copyPixels(IDeckLinkMutableVideoFrame* from, IDeckLinkMutableVideoFrame* to) {
  if (gRowBytes <= 0) return false;
  IDeckLinkVideoBuffer* source = nullptr;
  IDeckLinkVideoBuffer* target = nullptr;
  const unsigned char* in = openFramePixels(from, bmdBufferAccessRead, &source);
  unsigned char* out = in != nullptr ? openFramePixels(to, bmdBufferAccessWrite, &target) : nullptr;
  if (out != nullptr) std::memcpy(out, in, size_t(gRowBytes) * size_t(gMode->height));
  if (target != nullptr) closeFramePixels(target, bmdBufferAccessWrite);
  if (source != nullptr) closeFramePixels(source, bmdBufferAccessRead);
  return out != nullptr;
}

}  // namespace

Failure copyOfHeldFrame(IDeckLinkMutableVideoFrame** copy) {
  *copy = nullptr;
  IDeckLinkMutableVideoFrame* fresh = createFrameFor(*gMode);
  if (fresh == nullptr) return failure(FailureCode::kFailed, "could not allocate a video frame");
  if (gFrameShown && !copyPixels(gFrame, fresh)) {
    fresh->Release();
    return failure(FailureCode::kFailed, "could not copy the picture into a new frame");
  }
  *copy = fresh;
  return {};
}
