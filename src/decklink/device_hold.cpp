#include "decklink/device_hold.h"

#include <unistd.h>

#include "decklink/device_walk.h"
#include "decklink/enable_mode.h"
#include "decklink/held_input.h"
#include "decklink/mode_probe.h"
#include "decklink/query_interface.h"

const OutputMode* gMode = nullptr;
IDeckLink* gDevice = nullptr;
IDeckLinkOutput* gOutput = nullptr;
IDeckLinkMutableVideoFrame* gFrame = nullptr;
int32_t gRowBytes = 0;
bool gFrameShown = false;

namespace {

// Sets the 4:4:4 SDI output flag when the device offers a configuration
// interface; a device without one is used as it is.
void requestRgb444Output(IDeckLink* device) {
  IDeckLinkConfiguration* configuration =
      queryInterface<IDeckLinkConfiguration>(device, IID_IDeckLinkConfiguration);
  if (configuration == nullptr) return;
  configuration->SetFlag(bmdDeckLinkConfig444SDIVideoOutput, true);
  configuration->Release();
}

Failure holdAt(int index, const OutputMode& mode) {
  bool apiFound = false;
  gDevice = deviceAt(index, &apiFound);
  // Without a driver there is no device at any index either: the request
  // names a device, and that is what is missing.
  if (gDevice == nullptr) return failure(FailureCode::kNoDevice, kNoDeviceMessage);
  gOutput = queryInterface<IDeckLinkOutput>(gDevice, IID_IDeckLinkOutput);
  if (gOutput == nullptr) return failure(FailureCode::kNoOutput, kNoOutputMessage);
  requestRgb444Output(gDevice);
  if (!probeMode(gOutput, mode)) return failure(FailureCode::kUnsupported, kUnsupportedMessage);
  bool enabled = false;
  return enableAtMode(mode, &enabled);
}

}  // namespace

void closeDevice() {
  // The input first: its frames are of the output's pictures.
  closeInput();
  // Each variable is cleared before its reference is released, so that no
  // path, however it is interrupted, can see and release it a second time.
  releaseHeldFrame();
  if (IDeckLinkOutput* output = gOutput) {
    gOutput = nullptr;
    output->DisableVideoOutput();
    output->Release();
  }
  if (IDeckLink* device = gDevice) {
    gDevice = nullptr;
    device->Release();
  }
  gMode = nullptr;
  // The signalling ends with the device: the next open starts plain.
  gSignalling = Signalling();
}

Failure openDevice(int index, const char* modeName) {
  closeDevice();
  const OutputMode* mode = findMode(modeName);
  if (mode == nullptr) return failure(FailureCode::kBadRequest, "unknown resolution");
  const Failure held = holdAt(index, *mode);
  if (held.failed()) closeDevice();
  return held;
}

void onSignal(int) {
  closeDevice();
  _exit(130);
}
