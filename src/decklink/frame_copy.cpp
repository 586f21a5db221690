#include "decklink/frame_copy.h"

#include <cstring>

#include "decklink/enable_mode.h"
#include "decklink/held_device.h"

namespace {

// Opens `frame`'s pixels for `access`: their first byte, with `*buffer` to
// close; null with nothing left open.
unsigned char* openPixels(IDeckLinkMutableVideoFrame* frame, BMDBufferAccessFlags access,
                          IDeckLinkVideoBuffer** buffer) {
  *buffer = nullptr;
  IDeckLinkVideoBuffer* opened = nullptr;
  if (frame->QueryInterface(IID_IDeckLinkVideoBuffer, reinterpret_cast<void**>(&opened)) !=
          kS_OK ||
      opened == nullptr) {
    return nullptr;
  }
  if (opened->StartAccess(access) != kS_OK) {
    opened->Release();
    return nullptr;
  }
  void* bytes = nullptr;
  if (opened->GetBytes(&bytes) != kS_OK || bytes == nullptr) {
    opened->EndAccess(access);
    opened->Release();
    return nullptr;
  }
  *buffer = opened;
  return static_cast<unsigned char*>(bytes);
}

void closePixels(IDeckLinkVideoBuffer* buffer, BMDBufferAccessFlags access) {
  buffer->EndAccess(access);
  buffer->Release();
}

// Both frames were made for gMode with gRowBytes per row.
bool copyPixels(IDeckLinkMutableVideoFrame* from, IDeckLinkMutableVideoFrame* to) {
  if (gRowBytes <= 0) return false;
  IDeckLinkVideoBuffer* source = nullptr;
  IDeckLinkVideoBuffer* target = nullptr;
  const unsigned char* in = openPixels(from, bmdBufferAccessRead, &source);
  unsigned char* out = in != nullptr ? openPixels(to, bmdBufferAccessWrite, &target) : nullptr;
  if (out != nullptr) std::memcpy(out, in, size_t(gRowBytes) * size_t(gMode->height));
  if (target != nullptr) closePixels(target, bmdBufferAccessWrite);
  if (source != nullptr) closePixels(source, bmdBufferAccessRead);
  return out != nullptr;
}

}  // namespace

IDeckLinkMutableVideoFrame* copyOfHeldFrame(std::string* why) {
  IDeckLinkMutableVideoFrame* fresh = createFrameFor(*gMode);
  if (fresh == nullptr) {
    *why = "could not allocate a video frame";
    return nullptr;
  }
  if (gFrameShown && !copyPixels(gFrame, fresh)) {
    fresh->Release();
    *why = "could not copy the picture into a new frame";
    return nullptr;
  }
  return fresh;
}
