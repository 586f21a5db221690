#include "decklink/switch_mode.h"

#include "decklink/enable_mode.h"
#include "decklink/held_device.h"
#include "decklink/held_signalling.h"
#include "decklink/mode_probe.h"

namespace {

// Enables the output at `mode` and creates its frame. On success the state
// is held at `mode`; on failure the output is left disabled without a frame.
bool setUpMode(const OutputMode& mode) {
  bool enabled = false;
  if (!enableAtMode(mode, &enabled).failed()) return true;
  if (enabled) gOutput->DisableVideoOutput();
  return false;
}

}  // namespace

Failure switchMode(const OutputMode& target) {
  if (gOutput == nullptr) return failure(FailureCode::kNotOpen, kNotOpenMessage);
  if (gMode == &target) return {};
  if (!probeMode(gOutput, target)) return failure(FailureCode::kUnsupported, kUnsupportedMessage);

  const OutputMode* previous = gMode;
  gMode = nullptr;
  releaseHeldFrame();
  gOutput->DisableVideoOutput();
  // The signalling goes with the device, not the frame: each new frame
  // gets it again.
  if (setUpMode(target)) {
    const Failure lost = carrySignalling();
    if (!lost.failed()) return {};
    return failure(FailureCode::kFailed,
                   "switched resolution, but the HDR signalling could not be carried over (" +
                       lost.message + "); the frame is now SDR");
  }
  if (previous == nullptr || !setUpMode(*previous)) {
    return failure(FailureCode::kFailed,
                   "could not switch resolution, and the previous mode could not be restored");
  }
  std::string message = "could not switch resolution; previous mode restored";
  const Failure lost = carrySignalling();
  if (lost.failed()) {
    message += ", but not its HDR signalling (" + lost.message + "); the frame is now SDR";
  }
  return failure(FailureCode::kFailed, message);
}
