#include "decklink/device_hold.h"

#include <unistd.h>

#include "decklink/device_at.h"
#include "decklink/enable_mode.h"
#include "decklink/hresult_name.h"
#include "decklink/mode_probe.h"

const OutputMode* gMode = nullptr;
IDeckLink* gDevice = nullptr;
IDeckLinkOutput* gOutput = nullptr;
IDeckLinkMutableVideoFrame* gFrame = nullptr;
int32_t gRowBytes = 0;
bool gFrameShown = false;

const char kBadRequest[] = "bad_request";
const char kNoDevice[] = "no_device";
const char kNoOutput[] = "no_output";
const char kUnsupported[] = "unsupported";
const char kFailed[] = "failed";
const char kInUse[] = "in_use";
const char kNotOpen[] = "not_open";
const char kNoApi[] = "no_api";

const char kUnsupportedMessage[] = "device cannot output 10-bit RGB 4:4:4 at this resolution";
const char kNoApiMessage[] = "Blackmagic Desktop Video does not appear to be installed";
const char kNoDeviceMessage[] = "no device at that index";
const char kNoOutputMessage[] = "device has no output interface";

namespace {

std::string fail(const char* code, const char* text, std::string* message) {
  *message = text;
  return code;
}

// Sets the 4:4:4 SDI output flag when the device offers a configuration
// interface; a device without one is used as it is.
void requestRgb444Output(IDeckLink* device) {
  IDeckLinkConfiguration* configuration = nullptr;
  if (device->QueryInterface(IID_IDeckLinkConfiguration,
                             reinterpret_cast<void**>(&configuration)) != kS_OK ||
      configuration == nullptr) {
    return;
  }
  configuration->SetFlag(bmdDeckLinkConfig444SDIVideoOutput, true);
  configuration->Release();
}

}  // namespace

void closeDevice() {
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

std::string openDevice(int index, const char* resolution, std::string* message) {
  closeDevice();
  const OutputMode* target = findMode(resolution);
  if (target == nullptr) return fail(kBadRequest, "unknown resolution", message);

  gDevice = deviceAt(index);
  if (gDevice == nullptr) return fail(kNoDevice, kNoDeviceMessage, message);

  IDeckLinkOutput* output = nullptr;
  if (gDevice->QueryInterface(IID_IDeckLinkOutput, reinterpret_cast<void**>(&output)) !=
          kS_OK ||
      output == nullptr) {
    closeDevice();
    return fail(kNoOutput, kNoOutputMessage, message);
  }
  gOutput = output;

  requestRgb444Output(gDevice);

  if (!probeMode(gOutput, *target)) {
    closeDevice();
    return fail(kUnsupported, kUnsupportedMessage, message);
  }

  HRESULT enabled;
  switch (enableAtMode(*target, &enabled)) {
    case EnableOutcome::kReady: return "";
    case EnableOutcome::kNotEnabled:
      closeDevice();
      return fail(enabled == kE_ACCESSDENIED ? kInUse : kFailed, hresultName(enabled), message);
    case EnableOutcome::kNoFrame: break;
  }
  closeDevice();
  return fail(kFailed, "could not allocate a video frame", message);
}

void onSignal(int) {
  closeDevice();
  _exit(130);
}
