#include "decklink/held_signalling.h"

#include "decklink/enable_mode.h"
#include "decklink/frame_copy.h"
#include "decklink/frame_display.h"
#include "decklink/held_device.h"
#include "decklink/signalling_support.h"
#include "decklink/signalling_write.h"

Signalling gSignalling;

namespace {

Failure kept(const Failure& refused) {
  return failure(FailureCode::kFailed, refused.message + "; previous signalling kept");
}

// After a write that failed once `changed` values were set: those values
// of the previous signalling back, and its flag.
Failure restorePrevious(const Failure& refused, const Signalling& previous, size_t changed) {
  if (changed == 0 || !writeSignalling(gFrame, previous, nullptr, changed).failed()) {
    return kept(refused);
  }
  clearHdrFlag(gFrame);
  gSignalling = Signalling();
  return failure(
      FailureCode::kFailed,
      refused.message + "; the previous signalling could not be restored, the frame is now SDR");
}

// Rewriting a signalling in place suits PQ over PQ alone, where the same
// values are written again. Any other change would leave values the new
// signalling does not have (an HLG or SDR frame would still carry HDR10's
// mastering display and light levels), so it goes onto a new frame with
// the same picture, made the held frame only once it carries everything.
bool writesInPlace(const Signalling& from, const Signalling& to) {
  return from.eotf == Eotf::kPq && to.eotf == Eotf::kPq;
}

// Puts `wanted` on a copy of the held frame, which then replaces it. On a
// failure the copy is released and the held frame keeps its signalling.
Failure signalOnNewFrame(const Signalling& wanted) {
  IDeckLinkMutableVideoFrame* fresh = nullptr;
  const Failure copied = copyOfHeldFrame(&fresh);
  if (copied.failed()) return kept(copied);
  // Plain SDR is a frame without metadata, which the new frame is.
  if (!isPlain(wanted)) {
    const Failure written = writeSignalling(fresh, wanted);
    if (written.failed()) {
      fresh->Release();
      return kept(written);
    }
  }
  replaceHeldFrame(fresh);
  return {};
}

// Rewrites PQ's values on the held frame; a failure writes back what it
// had changed.
Failure signalInPlace(const Signalling& wanted) {
  size_t changed = 0;
  const Failure written = writeSignalling(gFrame, wanted, &changed);
  return written.failed() ? restorePrevious(written, gSignalling, changed) : Failure();
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
  const Failure written =
      writesInPlace(gSignalling, wanted) ? signalInPlace(wanted) : signalOnNewFrame(wanted);
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
