// The held frame's signalling: setting it, and carrying it over to the new
// frame of a resolution switch.
#include <cstring>

#include "decklink/device_hold.h"
#include "decklink/held_card_writable.h"
#include "decklink/shown_frame_proof.h"
#include "decklink/signalling_support.h"
#include "decklink/signalling_write.h"

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

// A new frame of gMode, without metadata, into `*copy`: when the held frame
// holds a shown picture its pixels are copied, so that the card can show
// the same picture again. Fails, with nothing left open or made, when the
// card refuses the frame, a buffer, an access or its address.
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
    writable::gSignalling = wanted;
    return {};
  }
  const Failure refused = askCardForSignalling(gDevice, wanted);
  if (refused.failed()) return refused;
  const Failure written = signalOnNewFrame(wanted);
  if (written.failed()) return written;
  writable::gSignalling = wanted;
  const Failure shown = gFrameShown ? displayHeldFrame() : Failure();
  if (shown.failed() && !provedWrong(shown)) {
    return failure(FailureCode::kFailed, "signalling set, but DisplayVideoFrameSync failed");
  }
  return shown;
}

Failure carrySignalling() {
  if (isPlain(gSignalling)) return {};
  const Failure written = writeSignalling(gFrame, gSignalling);
  if (written.failed()) writable::gSignalling = Signalling();
  return written;
}
