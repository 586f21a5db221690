#include "decklink/enable_mode.h"

#include "decklink/held_device.h"

EnableOutcome enableAtMode(const OutputMode& mode, HRESULT* enableResult) {
  *enableResult = gOutput->EnableVideoOutput(mode.displayMode, bmdVideoOutputFlagDefault);
  if (*enableResult != kS_OK) return EnableOutcome::kNotEnabled;
  gOutput->RowBytesForPixelFormat(bmdFormat10BitRGB, mode.width, &gRowBytes);
  IDeckLinkMutableVideoFrame* frame = createFrameFor(mode);
  if (frame == nullptr) return EnableOutcome::kNoFrame;
  gFrame = frame;
  gFrameShown = false;
  gMode = &mode;
  return EnableOutcome::kReady;
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
