#include "decklink/frame_display.h"

#include "decklink/held_device.h"
#include "decklink/shown_frame_proof.h"

Failure checkFrameHeld() {
  if (gOutput == nullptr) return failure(FailureCode::kNotOpen, kNotOpenMessage);
  if (gMode == nullptr || gFrame == nullptr) {
    return failure(FailureCode::kFailed, kDisplayFailedMessage);
  }
  return {};
}

Failure displayHeldFrame() {
  const ProofStart proof = startProof();
  if (gOutput->DisplayVideoFrameSync(gFrame) != kS_OK) {
    return failure(FailureCode::kFailed, kDisplayFailedMessage);
  }
  gFrameShown = true;
  return proveShownFrame(proof);
}
