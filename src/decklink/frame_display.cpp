#include "decklink/frame_display.h"

#include "decklink/held_device.h"

namespace {

uint64_t gFramesShownCount = 0;

}  // namespace

Failure checkFrameHeld() {
  if (gOutput == nullptr) return failure(FailureCode::kNotOpen, kNotOpenMessage);
  if (gMode == nullptr || gFrame == nullptr) {
    return failure(FailureCode::kFailed, kDisplayFailedMessage);
  }
  return {};
}

Failure displayHeldFrame() {
  if (gOutput->DisplayVideoFrameSync(gFrame) != kS_OK) {
    return failure(FailureCode::kFailed, kDisplayFailedMessage);
  }
  gFrameShown = true;
  ++gFramesShownCount;
  return {};
}

uint64_t framesShown() { return gFramesShownCount; }
