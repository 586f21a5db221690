#include "decklink/enable_mode.h"

#include "decklink/held_device.h"
#include "decklink/hresult_name.h"

Failure enableAtMode(const OutputMode& mode, bool* enabled) {
  const HRESULT result = gOutput->EnableVideoOutput(mode.displayMode, bmdVideoOutputFlagDefault);
  *enabled = result == kS_OK;
  if (!*enabled) {
    return failure(result == kE_ACCESSDENIED ? FailureCode::kInUse : FailureCode::kFailed,
                   hresultName(result));
  }
  gOutput->RowBytesForPixelFormat(bmdFormat10BitRGB, mode.width, &gRowBytes);
  IDeckLinkMutableVideoFrame* frame = createFrameFor(mode);
  if (frame == nullptr) return failure(FailureCode::kFailed, "could not allocate a video frame");
  gFrame = frame;
  gFrameShown = false;
  gMode = &mode;
  return {};
}

IDeckLinkMutableVideoFrame* createFrameFor(const OutputMode& mode) {
  IDeckLinkMutableVideoFrame* frame = nullptr;
  if (gOutput->CreateVideoFrame(mode.width, mode.height, gRowBytes, bmdFormat10BitRGB,
                                bmdFrameFlagDefault, &frame) != kS_OK) {
    return nullptr;
  }
  return frame;
}

void replaceHeldFrame(IDeckLinkMutableVideoFrame* fresh) {
  IDeckLinkMutableVideoFrame* old = gFrame;
  gFrame = fresh;
  if (old != nullptr) old->Release();
}

void releaseHeldFrame() {
  gFrameShown = false;
  if (IDeckLinkMutableVideoFrame* frame = gFrame) {
    gFrame = nullptr;
    frame->Release();
  }
}
