// SimOutput's frame calls: CreateVideoFrame and DisplayVideoFrameSync.
#include <cstdlib>

#include "accounting/call_record.h"
#include "accounting/log_values.h"
#include "capture/frame_capture.h"
#include "interfaces/output.h"
#include "interfaces/video_frame.h"
#include "util/util.h"

namespace {

// Puts `frame` on `card`'s cable when an input listens to it: a copy, which
// the input's thread reads unlocked.
void putOnWire(SimState& state, CardRuntime& card, const SimVideoFrame& frame) {
  bool listened = false;
  for (const auto& other : state.cards) listened |= other->setup.input.cableFrom == card.position;
  if (!listened || frame.pixels() == nullptr) return;
  auto picture = std::make_shared<WirePicture>();
  picture->mode = card.mode;
  picture->width = frame.shape().width;
  picture->height = frame.shape().height;
  picture->rowBytes = frame.shape().rowBytes;
  const unsigned char* data = frame.pixels()->data;
  picture->pixels.assign(data, data + frame.pixels()->size);
  picture->metadata = frame.metadata();
  card.wire = std::move(picture);
}

}  // namespace

int SimOutput::frameMode(int32_t width, int32_t height) const {
  const int enabled = card_->enabled ? simModeByFourCC(card_->mode) : -1;
  if (enabled >= 0 && kSimModes[enabled].width == width && kSimModes[enabled].height == height) {
    return enabled;
  }
  return simModeBySize(width, height);
}

HRESULT SimOutput::CreateVideoFrame(int32_t width, int32_t height, int32_t rowBytes,
                                    BMDPixelFormat pixelFormat, BMDFrameFlags flags,
                                    IDeckLinkMutableVideoFrame** outFrame) {
  StateLock lock;
  SimState& state = lock.state();
  CallRecord call(state, *this, "CreateVideoFrame",
                  stringPrintf("%dx%d rowbytes=%d fmt=%s flags=%u", width, height, rowBytes,
                               fourCCText(pixelFormat).c_str(), flags));
  if (outFrame != nullptr) *outFrame = nullptr;
  if (call.refused()) return call.refusal();
  if (outFrame == nullptr) return call.finish(kE_POINTER);
  const int mode = frameMode(width, height);
  if (mode >= 0 && card_->setup.createFrame[mode].set) {
    return call.finish(card_->setup.createFrame[mode].result, "null");
  }
  // A card set up with row_bytes hands out the rows it announced, even
  // rows too short for the width, as a faulty driver might.
  const int64_t shortest = card_->setup.rowBytes > 0 ? 1 : int64_t{width} * 4;
  if (width <= 0 || height <= 0 || rowBytes < shortest || pixelFormat != bmdFormat10BitRGB) {
    return call.finish(kE_INVALIDARG, "null");
  }
  const uint64_t size = uint64_t(height) * uint64_t(rowBytes);
  // calloc: the frame starts black, as the driver's do, and the pages are
  // only touched when the program paints them.
  unsigned char* memory = static_cast<unsigned char*>(std::calloc(size, 1));
  if (memory == nullptr) return call.finish(kE_OUTOFMEMORY, "null");
  auto pixels = std::make_shared<FramePixels>(memory, size);
  SimVideoFrame* frame = createObject<SimVideoFrame>(
      state, card_, FrameShape{width, height, rowBytes, pixelFormat}, flags, std::move(pixels));
  state.frames[frame] = frame;
  *outFrame = frame;
  return call.finish(kS_OK, frame->label());
}

std::string SimOutput::displayProblem(SimState& state, const IDeckLinkVideoFrame* frame) const {
  if (frame == nullptr) return "null frame";
  auto known = state.frames.find(frame);
  if (known == state.frames.end()) return "not a frame this simulated card created";
  const SimVideoFrame& simFrame = *known->second;
  if (simFrame.released()) return "frame already released";
  if (simFrame.card() != card_.get()) return "frame created by another card's output";
  if (!card_->enabled) return "output not enabled";
  const FrameShape& shape = simFrame.shape();
  const int mode = simModeByFourCC(card_->mode);
  const SimDisplayMode& enabled = kSimModes[mode];
  if (shape.width != enabled.width || shape.height != enabled.height) {
    return stringPrintf("frame is %dx%d, the enabled mode %s is %dx%d", shape.width,
                        shape.height, fourCCText(enabled.mode).c_str(), enabled.width,
                        enabled.height);
  }
  if (simFrame.pixels()->openAccesses > 0) return "buffer access still open (no EndAccess)";
  return std::string();
}

HRESULT SimOutput::DisplayVideoFrameSync(IDeckLinkVideoFrame* theFrame) {
  StateLock lock;
  SimState& state = lock.state();
  auto known = state.frames.find(theFrame);
  std::string frameText = "null";
  if (known != state.frames.end()) {
    frameText = known->second->label();
  } else if (theFrame != nullptr) {
    frameText = stringPrintf("unknown %p", static_cast<void*>(theFrame));
  }
  CallRecord call(state, *this, "DisplayVideoFrameSync", frameText);
  if (call.refused()) return call.refusal();
  if (card_->setup.display.set) return call.finish(card_->setup.display.result);
  const std::string problem = displayProblem(state, theFrame);
  if (!problem.empty()) {
    call.misuse(problem);
    return call.finish(kE_FAIL);
  }
  const uint64_t sequence = static_cast<uint64_t>(++state.displayed);
  captureDisplayedFrame(state, *known->second, sequence);
  putOnWire(state, *card_, *known->second);
  // A frame that carries metadata says so on its line; a plain frame's line
  // has nothing after the call.
  const FrameMetadata& shown = state.lastMetadata;
  return call.finish(kS_OK, shown.any() ? frameMetadataText(shown) : std::string());
}
