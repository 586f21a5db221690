#include "decklink/held_signalling.h"

#include "decklink/device_hold.h"
#include "decklink/enable_mode.h"
#include "decklink/frame_copy.h"
#include "decklink/frame_display.h"
#include "decklink/held_device.h"
#include "decklink/signalling_support.h"
#include "decklink/signalling_write.h"

Signalling gSignalling;

namespace {

std::string fail(const char* code, const std::string& text, std::string* message) {
  *message = text;
  return code;
}

// After a write that failed once `changed` values were set: those values
// of the previous signalling back, and its flag. Returns how the message
// ends.
std::string restorePrevious(const Signalling& previous, size_t changed) {
  std::string ignored;
  if (writeSignalling(gFrame, previous, &ignored, nullptr, changed) == WriteOutcome::kWritten) {
    return "; previous signalling kept";
  }
  clearHdrFlag(gFrame);
  gSignalling = Signalling();
  return "; the previous signalling could not be restored, the frame is now SDR";
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
std::string signalOnNewFrame(const Signalling& wanted, std::string* message) {
  std::string why;
  IDeckLinkMutableVideoFrame* fresh = copyOfHeldFrame(&why);
  if (fresh == nullptr) return fail(kFailed, why + "; previous signalling kept", message);
  // Plain SDR is a frame without metadata, which the new frame is.
  if (!isPlain(wanted) && writeSignalling(fresh, wanted, &why) != WriteOutcome::kWritten) {
    fresh->Release();
    return fail(kFailed, why + "; previous signalling kept", message);
  }
  replaceHeldFrame(fresh);
  return "";
}

// Rewrites PQ's values on the held frame; a failure writes back what it
// had changed.
std::string signalInPlace(const Signalling& wanted, std::string* message) {
  std::string why;
  size_t changed = 0;
  switch (writeSignalling(gFrame, wanted, &why, &changed)) {
    case WriteOutcome::kWritten: return "";
    case WriteOutcome::kRefused: return fail(kFailed, why + "; previous signalling kept", message);
    case WriteOutcome::kPartlyWritten: break;
  }
  return fail(kFailed, why + restorePrevious(gSignalling, changed), message);
}

}  // namespace

std::string setSignalling(const Signalling& wanted, std::string* message) {
  const std::string problem = signallingProblem(wanted);
  if (!problem.empty()) return fail(kBadRequest, problem, message);
  if (gDevice == nullptr) return fail(kNotOpen, "no device is open", message);
  if (gFrame == nullptr) {
    return fail(kFailed, "no frame to carry the signalling (a failed switch left none)", message);
  }
  if (isPlain(wanted) && isPlain(gSignalling)) {
    gSignalling = wanted;
    return "";
  }
  const std::string refused = askCardForSignalling(gDevice, wanted, message);
  if (!refused.empty()) return refused;

  const std::string code = writesInPlace(gSignalling, wanted) ? signalInPlace(wanted, message)
                                                              : signalOnNewFrame(wanted, message);
  if (!code.empty()) return code;
  gSignalling = wanted;
  if (gFrameShown && !displayHeldFrameOnCard()) {
    return fail(kFailed, "signalling set, but DisplayVideoFrameSync failed", message);
  }
  return "";
}

bool carrySignalling(std::string* why) {
  if (isPlain(gSignalling)) return true;
  if (writeSignalling(gFrame, gSignalling, why) == WriteOutcome::kWritten) return true;
  gSignalling = Signalling();
  return false;
}
