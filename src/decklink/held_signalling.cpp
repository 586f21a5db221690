#include "decklink/held_signalling.h"

#include "decklink/device_hold.h"
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

  std::string why;
  size_t changed = 0;
  switch (writeSignalling(gFrame, wanted, &why, &changed)) {
    case WriteOutcome::kWritten: break;
    case WriteOutcome::kRefused: return fail(kFailed, why + "; previous signalling kept", message);
    case WriteOutcome::kPartlyWritten:
      return fail(kFailed, why + restorePrevious(gSignalling, changed), message);
  }
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
