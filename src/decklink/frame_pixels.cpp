#include "decklink/frame_pixels.h"

#include "decklink/query_interface.h"

unsigned char* openFramePixels(IDeckLinkMutableVideoFrame* frame, BMDBufferAccessFlags access,
                               IDeckLinkVideoBuffer** buffer) {
  *buffer = nullptr;
  IDeckLinkVideoBuffer* opened =
      queryInterface<IDeckLinkVideoBuffer>(frame, IID_IDeckLinkVideoBuffer);
  if (opened == nullptr) return nullptr;
  if (opened->StartAccess(access) != kS_OK) {
    opened->Release();
    return nullptr;
  }
  void* bytes = nullptr;
  if (opened->GetBytes(&bytes) != kS_OK || bytes == nullptr) {
    closeFramePixels(opened, access);
    return nullptr;
  }
  *buffer = opened;
  return static_cast<unsigned char*>(bytes);
}

void closeFramePixels(IDeckLinkVideoBuffer* buffer, BMDBufferAccessFlags access) {
  buffer->EndAccess(access);
  buffer->Release();
}
