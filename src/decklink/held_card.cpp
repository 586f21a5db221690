// The held card's state and every step that changes it but the signalling
// (decklink/held_card_signalling.cpp): opening and closing a device, the
// signal release, enabling a mode, switching it, and painting and showing
// the frame.
#include "decklink/held_card.h"

#include <unistd.h>

#include <csignal>

#include "decklink/device_hold.h"
#include "decklink/device_walk.h"
#include "decklink/driver_version.h"
#include "decklink/held_card_writable.h"
#include "decklink/held_input.h"
#include "decklink/query_interface.h"
#include "decklink/shown_frame_proof.h"

namespace writable {
const OutputMode* gMode = nullptr;
IDeckLink* gDevice = nullptr;
IDeckLinkOutput* gOutput = nullptr;
IDeckLinkMutableVideoFrame* gFrame = nullptr;
int32_t gRowBytes = 0;
Signalling gSignalling;
bool gFrameShown = false;
}  // namespace writable

const OutputMode* const& gMode = writable::gMode;
IDeckLink* const& gDevice = writable::gDevice;
IDeckLinkOutput* const& gOutput = writable::gOutput;
IDeckLinkMutableVideoFrame* const& gFrame = writable::gFrame;
const int32_t& gRowBytes = writable::gRowBytes;
const Signalling& gSignalling = writable::gSignalling;
const bool& gFrameShown = writable::gFrameShown;

namespace {

// Every frame the card has accepted since the program started.
uint64_t gFramesShownCount = 0;

// Sets the 4:4:4 SDI output flag when the device offers a configuration
// interface; a device without one is used as it is.
void requestRgb444Output(IDeckLink* device) {
  IDeckLinkConfiguration* configuration =
      queryInterface<IDeckLinkConfiguration>(device, IID_IDeckLinkConfiguration);
  if (configuration == nullptr) return;
  configuration->SetFlag(bmdDeckLinkConfig444SDIVideoOutput, true);
  configuration->Release();
}

// Releases gFrame, if any; the variable is cleared before the Release, so
// no path, however it is interrupted, can release it a second time.
void releaseHeldFrame() {
  writable::gFrameShown = false;
  if (IDeckLinkMutableVideoFrame* frame = gFrame) {
    writable::gFrame = nullptr;
    frame->Release();
  }
}

// EnableVideoOutput's refusal by name, with what the two likeliest mean.
std::string enableRefusal(HRESULT result) {
  const std::string name = hresultName(result);
  if (result == kE_INVALIDARG) return name + " (mode or pixel format not valid here)";
  if (result == kE_ACCESSDENIED) return name + " (device already in use)";
  return name;
}

// The one step that puts the held output at a mode, shared by opening a
// device and switching its resolution. With gOutput held and no frame:
// EnableVideoOutput at `mode`, the row length into gRowBytes, and
// CreateVideoFrame into gFrame; then gMode is `mode` and the new frame is
// not shown yet. On a failure gFrame and gMode stay null and `*enabled`
// says whether the output was enabled all the same (the frame was refused),
// for the caller to disable or release:
//   in_use   EnableVideoOutput answered E_ACCESSDENIED (another process)
//   failed   EnableVideoOutput's other results, by name; or "could not
//            allocate a video frame"
Failure enableAtMode(const OutputMode& mode, bool* enabled) {
  const HRESULT result = gOutput->EnableVideoOutput(mode.displayMode, bmdVideoOutputFlagDefault);
  *enabled = result == kS_OK;
  if (!*enabled) {
    return failure(result == kE_ACCESSDENIED ? FailureCode::kInUse : FailureCode::kFailed,
                   enableRefusal(result));
  }
  gOutput->RowBytesForPixelFormat(bmdFormat10BitRGB, mode.width, &writable::gRowBytes);
  IDeckLinkMutableVideoFrame* frame = createFrameFor(mode);
  if (frame == nullptr) return failure(FailureCode::kFailed, "could not allocate a video frame");
  writable::gFrame = frame;
  writable::gFrameShown = false;
  writable::gMode = &mode;
  return {};
}

// enableAtMode for a switch: on failure the output is left disabled
// without a frame.
bool setUpMode(const OutputMode& mode) {
  bool enabled = false;
  if (!enableAtMode(mode, &enabled).failed()) return true;
  if (enabled) gOutput->DisableVideoOutput();
  return false;
}

Failure holdAt(int index, const OutputMode& mode) {
  writable::gDevice = deviceAt(index);
  // Without a driver there is no device at any index either: the request
  // names a device, and that is what is missing.
  if (gDevice == nullptr) return failure(FailureCode::kNoDevice, kNoDeviceMessage);
  writable::gOutput = queryInterface<IDeckLinkOutput>(gDevice, IID_IDeckLinkOutput);
  if (gOutput == nullptr) {
    return failure(FailureCode::kNoOutput, withOlderDriverCause(kNoOutputMessage));
  }
  requestRgb444Output(gDevice);
  if (!probeMode(gOutput, mode)) return failure(FailureCode::kUnsupported, kUnsupportedMessage);
  bool enabled = false;
  return enableAtMode(mode, &enabled);
}

}  // namespace

IDeckLinkMutableVideoFrame* createFrameFor(const OutputMode& mode) {
  IDeckLinkMutableVideoFrame* frame = nullptr;
  if (gOutput->CreateVideoFrame(mode.width, mode.height, gRowBytes, bmdFormat10BitRGB,
                                bmdFrameFlagDefault, &frame) != kS_OK) {
    return nullptr;
  }
  return frame;
}

void replaceHeldFrame(IDeckLinkMutableVideoFrame* fresh) {
  IDeckLinkMutableVideoFrame* old = gFrame;
  writable::gFrame = fresh;
  if (old != nullptr) old->Release();
}

unsigned char* openFramePixels(IDeckLinkMutableVideoFrame* frame, BMDBufferAccessFlags access,
                               IDeckLinkVideoBuffer** buffer) {
  *buffer = nullptr;
  IDeckLinkVideoBuffer* opened =
      queryInterface<IDeckLinkVideoBuffer>(frame, IID_IDeckLinkVideoBuffer);
  if (opened == nullptr) return nullptr;
  if (opened->StartAccess(access) != kS_OK) {
    opened->Release();
    return nullptr;
  }
  void* bytes = nullptr;
  if (opened->GetBytes(&bytes) != kS_OK || bytes == nullptr) {
    closeFramePixels(opened, access);
    return nullptr;
  }
  *buffer = opened;
  return static_cast<unsigned char*>(bytes);
}

void closeFramePixels(IDeckLinkVideoBuffer* buffer, BMDBufferAccessFlags access) {
  buffer->EndAccess(access);
  buffer->Release();
}

Failure checkFrameHeld() {
  if (gOutput == nullptr) return failure(FailureCode::kNotOpen, kNotOpenMessage);
  if (gMode == nullptr || gFrame == nullptr) {
    return failure(FailureCode::kFailed, kDisplayFailedMessage);
  }
  return {};
}

Failure displayHeldFrame() {
  const ProofStart proof = startProof();
  if (gOutput->DisplayVideoFrameSync(gFrame) != kS_OK) {
    return failure(FailureCode::kFailed, kDisplayFailedMessage);
  }
  writable::gFrameShown = true;
  ++gFramesShownCount;
  return proveShownFrame(proof);
}

uint64_t framesShown() { return gFramesShownCount; }

Failure paintAndShow(const FramePainter& paint) {
  const Failure held = checkFrameHeld();
  if (held.failed()) return held;
  // Only what the card gave is ever written.
  if (gRowBytes < int64_t{4} * gMode->width) {
    return failure(FailureCode::kFailed, kNotWritableMessage);
  }
  IDeckLinkVideoBuffer* buffer = nullptr;
  unsigned char* pixels = openFramePixels(gFrame, bmdBufferAccessWrite, &buffer);
  if (pixels == nullptr) return failure(FailureCode::kFailed, kNotWritableMessage);
  const bool painted = paint({pixels, gRowBytes, gMode->width, gMode->height});
  closeFramePixels(buffer, bmdBufferAccessWrite);
  if (!painted) return failure(FailureCode::kFailed, kNotWritableMessage);
  return displayHeldFrame();
}

void closeDevice() {
  // The input first: its frames are of the output's pictures.
  closeInput();
  // Each variable is cleared before its reference is released, so that no
  // path, however it is interrupted, can see and release it a second time.
  releaseHeldFrame();
  if (IDeckLinkOutput* output = gOutput) {
    writable::gOutput = nullptr;
    output->DisableVideoOutput();
    output->Release();
  }
  if (IDeckLink* device = gDevice) {
    writable::gDevice = nullptr;
    device->Release();
  }
  writable::gMode = nullptr;
  // The signalling ends with the device: the next open starts plain.
  writable::gSignalling = Signalling();
}

Failure openDevice(int index, const char* modeName) {
  closeDevice();
  const OutputMode* mode = findMode(modeName);
  if (mode == nullptr) return failure(FailureCode::kBadRequest, "unknown resolution");
  const Failure held = holdAt(index, *mode);
  if (held.failed()) closeDevice();
  return held;
}

int signalExitStatus(int signalNumber) {
  return signalNumber == SIGINT || signalNumber == SIGTERM ? 130 : 128 + signalNumber;
}

void onSignal(int signalNumber) {
  closeDevice();
  _exit(signalExitStatus(signalNumber));
}

Failure switchMode(const OutputMode& target) {
  if (gOutput == nullptr) return failure(FailureCode::kNotOpen, kNotOpenMessage);
  if (gMode == &target) return {};
  if (!probeMode(gOutput, target)) return failure(FailureCode::kUnsupported, kUnsupportedMessage);

  const OutputMode* previous = gMode;
  writable::gMode = nullptr;
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
