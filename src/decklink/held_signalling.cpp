#include "decklink/held_signalling.h"

#include "decklink/enable_mode.h"
#include "decklink/frame_copy.h"
#include "decklink/frame_display.h"
#include "decklink/held_device.h"
#include "decklink/signalling_support.h"
#include "decklink/signalling_write.h"

Signalling gSignalling;

namespace {

// Puts `wanted` on a copy of the held frame, which then replaces it: the
// API cannot remove a metadata value, so a frame is written once, and an
// HLG or SDR frame never carries HDR10's values from an earlier PQ. On a
// failure the copy is released, and the held frame keeps its picture and
// its signalling, whatever the copy had been given.
Failure signalOnNewFrame(const Signalling& wanted) {
  IDeckLinkMutableVideoFrame* fresh = nullptr;
  Failure refused = copyOfHeldFrame(&fresh);
  // Plain SDR is a frame without metadata, which the new frame is.
  if (!refused.failed() && !isPlain(wanted)) refused = writeSignalling(fresh, wanted);
  if (refused.failed()) {
    if (fresh != nullptr) fresh->Release();
    return failure(FailureCode::kFailed, refused.message + "; previous signalling kept");
  }
  replaceHeldFrame(fresh);
  return {};
}

}  // namespace

Failure setSignalling(const Signalling& wanted) {
  const Failure problem = signallingProblem(wanted);
  if (problem.failed()) return problem;
  if (gDevice == nullptr) return failure(FailureCode::kNotOpen, kNotOpenMessage);
  if (gFrame == nullptr) {
    return failure(FailureCode::kFailed,
                   "no frame to carry the signalling (a failed switch left none)");
  }
  if (isPlain(wanted) && isPlain(gSignalling)) {
    gSignalling = wanted;
    return {};
  }
  const Failure refused = askCardForSignalling(gDevice, wanted);
  if (refused.failed()) return refused;
  const Failure written = signalOnNewFrame(wanted);
  if (written.failed()) return written;
  gSignalling = wanted;
  if (gFrameShown && displayHeldFrame().failed()) {
    return failure(FailureCode::kFailed, "signalling set, but DisplayVideoFrameSync failed");
  }
  return {};
}

Failure carrySignalling() {
  if (isPlain(gSignalling)) return {};
  const Failure written = writeSignalling(gFrame, gSignalling);
  if (written.failed()) gSignalling = Signalling();
  return written;
}
