#include "decklink/held_input.h"

#include "decklink/capture_handover.h"
#include "decklink/device_walk.h"
#include "decklink/query_interface.h"

IDeckLink* gInputDevice = nullptr;
IDeckLinkInput* gInput = nullptr;
const OutputMode* gInputMode = nullptr;
int gInputIndex = -1;

namespace {

const char kOlderDriverMessage[] =
    "the driver is older than Desktop Video 16.0: it offers only an earlier generation of the "
    "capture interface; install Desktop Video 16.0 or later to capture";

// Whether the device answers an earlier generation's input interface. The
// answer is released at once: those tables are never called.
bool answersOlderInput(IDeckLink* device) {
  for (const DeckLinkIID& older : {IID_IDeckLinkInput_v15_3_1, IID_IDeckLinkInput_v14_2_1}) {
    if (IUnknown* found = queryInterface<IUnknown>(device, older)) {
      found->Release();
      return true;
    }
  }
  return false;
}

Failure refusal(const char* step, HRESULT result) {
  if (result == kE_ACCESSDENIED) return failure(FailureCode::kInUse, hresultName(result));
  return failure(FailureCode::kFailed, std::string(step) + ": " + hresultName(result));
}

Failure holdInputAt(int index, const OutputMode& mode) {
  gInputDevice = deviceAt(index);
  if (gInputDevice == nullptr) return failure(FailureCode::kNoDevice, kNoDeviceMessage);
  gInputIndex = index;
  gInput = queryInterface<IDeckLinkInput>(gInputDevice, IID_IDeckLinkInput);
  if (gInput == nullptr) {
    if (answersOlderInput(gInputDevice)) {
      return failure(FailureCode::kUnsupported, kOlderDriverMessage);
    }
    return failure(FailureCode::kNoInput, "device has no input interface");
  }
  bool supported = false;
  BMDDisplayMode actual = 0;
  const HRESULT probed = gInput->DoesSupportVideoMode(
      bmdVideoConnectionUnspecified, mode.displayMode, bmdFormat10BitRGB, bmdNoVideoInputConversion,
      bmdSupportedVideoModeDefault, &actual, &supported);
  if (probed != kS_OK || !supported) {
    return failure(FailureCode::kUnsupported,
                   "device cannot capture 10-bit RGB 4:4:4 at this resolution");
  }
  // r210 rows as the output makes them; a driver that hands out longer
  // rows makes the hand-over grow once.
  const Failure noHandover =
      openHandover(uint64_t((mode.width + 63) / 64) * 256 * uint64_t(mode.height));
  if (noHandover.failed()) return noHandover;
  HRESULT result = gInput->SetCallback(handoverCallback());
  if (result != kS_OK) return refusal("SetCallback", result);
  result = gInput->EnableVideoInput(mode.displayMode, bmdFormat10BitRGB, bmdVideoInputFlagDefault);
  if (result != kS_OK) return refusal("EnableVideoInput", result);
  result = gInput->StartStreams();
  if (result != kS_OK) return refusal("StartStreams", result);
  gInputMode = &mode;
  return {};
}

}  // namespace

bool deviceHasInput(int index) {
  IDeckLink* device = deviceAt(index);
  if (device == nullptr) return false;
  IDeckLinkInput* input = queryInterface<IDeckLinkInput>(device, IID_IDeckLinkInput);
  if (input != nullptr) input->Release();
  device->Release();
  return input != nullptr;
}

Failure openInput(int index, const OutputMode& mode) {
  closeInput();
  const Failure held = holdInputAt(index, mode);
  if (held.failed()) closeInput();
  return held;
}

void closeInput() {
  stopHandover();
  gInputMode = nullptr;
  if (IDeckLinkInput* input = gInput) {
    gInput = nullptr;
    // The order capture programs use; every call is made whatever the
    // input had reached, and no result is looked at.
    input->StopStreams();
    input->SetCallback(nullptr);
    input->DisableVideoInput();
    input->Release();
  }
  if (IDeckLink* device = gInputDevice) {
    gInputDevice = nullptr;
    device->Release();
  }
  gInputIndex = -1;
}
