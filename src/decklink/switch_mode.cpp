#include "decklink/switch_mode.h"

#include "decklink/device_hold.h"
#include "decklink/mode_probe.h"

namespace {

// Enables the output at `mode` and creates its frame. On success the state
// is held at `mode`; on failure the output is left disabled without a frame.
bool setUpMode(const OutputMode& mode) {
  if (gOutput->EnableVideoOutput(mode.displayMode, bmdVideoOutputFlagDefault) != kS_OK) {
    return false;
  }
  gOutput->RowBytesForPixelFormat(bmdFormat10BitRGB, mode.width, &gRowBytes);
  IDeckLinkMutableVideoFrame* frame = nullptr;
  if (gOutput->CreateVideoFrame(mode.width, mode.height, gRowBytes, bmdFormat10BitRGB,
                                bmdFrameFlagDefault, &frame) != kS_OK ||
      frame == nullptr) {
    gOutput->DisableVideoOutput();
    return false;
  }
  gFrame = frame;
  gMode = &mode;
  return true;
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
  if (IDeckLinkMutableVideoFrame* frame = gFrame) {
    gFrame = nullptr;
    frame->Release();
  }
  gOutput->DisableVideoOutput();
  if (setUpMode(target)) return "";

  if (previous != nullptr && setUpMode(*previous)) {
    *message = "could not switch resolution; previous mode restored";
  } else {
    *message = "could not switch resolution, and the previous mode could not be restored";
  }
  return kFailed;
}
