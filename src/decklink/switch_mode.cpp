#include "decklink/switch_mode.h"

#include "decklink/device_hold.h"
#include "decklink/enable_mode.h"
#include "decklink/held_signalling.h"
#include "decklink/mode_probe.h"

namespace {

// Enables the output at `mode` and creates its frame. On success the state
// is held at `mode`; on failure the output is left disabled without a frame.
bool setUpMode(const OutputMode& mode) {
  HRESULT enabled;
  switch (enableAtMode(mode, &enabled)) {
    case EnableOutcome::kReady: return true;
    case EnableOutcome::kNotEnabled: return false;
    case EnableOutcome::kNoFrame: break;
  }
  gOutput->DisableVideoOutput();
  return false;
}

}  // namespace

std::string switchMode(const OutputMode& target, std::string* message) {
  if (gOutput == nullptr) {
    *message = "no device is open";
    return kNotOpen;
  }
  if (gMode == &target) return "";
  if (!probeMode(gOutput, target)) {
    *message = kUnsupportedMessage;
    return kUnsupported;
  }

  const OutputMode* previous = gMode;
  gMode = nullptr;
  releaseHeldFrame();
  gOutput->DisableVideoOutput();
  // The signalling goes with the device, not the frame: each new frame
  // gets it again.
  std::string lost;
  if (setUpMode(target)) {
    if (carrySignalling(&lost)) return "";
    *message = "switched resolution, but the HDR signalling could not be carried over (" + lost +
               "); the frame is now SDR";
    return kFailed;
  }

  if (previous != nullptr && setUpMode(*previous)) {
    *message = "could not switch resolution; previous mode restored";
    if (!carrySignalling(&lost)) {
      *message += ", but not its HDR signalling (" + lost + "); the frame is now SDR";
    }
  } else {
    *message = "could not switch resolution, and the previous mode could not be restored";
  }
  return kFailed;
}
