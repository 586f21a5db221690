#include "render/frame_access.h"

#include <cstdint>

#include "decklink/frame_display.h"
#include "decklink/held_device.h"
#include "render/frame_stores.h"
#include "render/row_pattern.h"

unsigned char* openFrameForWriting(IDeckLinkVideoBuffer** buffer) {
  *buffer = nullptr;
  const int64_t rowLength = int64_t{4} * gMode->width;
  if (gRowBytes < rowLength || rowLength > kMaxRowLength) return nullptr;
  IDeckLinkVideoBuffer* opened = nullptr;
  if (gFrame->QueryInterface(IID_IDeckLinkVideoBuffer, reinterpret_cast<void**>(&opened)) !=
          kS_OK ||
      opened == nullptr) {
    return nullptr;
  }
  if (opened->StartAccess(bmdBufferAccessWrite) != kS_OK) {
    opened->Release();
    return nullptr;
  }
  void* bytes = nullptr;
  if (opened->GetBytes(&bytes) != kS_OK || bytes == nullptr) {
    closeFrameForWriting(opened);
    return nullptr;
  }
  *buffer = opened;
  return static_cast<unsigned char*>(bytes);
}

void closeFrameForWriting(IDeckLinkVideoBuffer* buffer) {
  // Every streaming store reaches the frame before the card gets it back.
  finishStreaming();
  buffer->EndAccess(bmdBufferAccessWrite);
  buffer->Release();
}

ShowResult displayHeldFrame() {
  return displayHeldFrameOnCard() ? ShowResult::kShown : ShowResult::kDisplayFailed;
}
