#include "interfaces/input.h"

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <deque>

#include "accounting/call_record.h"
#include "accounting/log_values.h"
#include "interfaces/input_frame.h"
#include "link/link_faults.h"
#include "util/util.h"

// What the streams' thread needs, kept apart from the input object so that
// the thread never touches an object the registry may retire. `stop` and
// `callback` are read and written with the state locked.
struct InputStream {
  std::shared_ptr<CardRuntime> card;
  BMDDisplayMode mode = 0;
  IDeckLinkInputCallback* callback = nullptr;
  bool stop = false;
  std::mutex sleepMutex;
  std::condition_variable wake;
};

namespace {

// What the cable carried at one tick.
struct OnCable {
  BMDDisplayMode signalMode = 0;  // 0: no signal
  std::shared_ptr<const WirePicture> picture;
};

FrameShape inputShape(BMDDisplayMode mode) {
  const SimDisplayMode& m = kSimModes[simModeByFourCC(mode)];
  return FrameShape{m.width, m.height, (m.width + 63) / 64 * 256, bmdFormat10BitRGB};
}

// The pixels and metadata a tick delivers; unlocked, from immutable data.
void makeArrival(const InputSetup& link, const OnCable& cable, BMDDisplayMode inputMode,
                 std::vector<unsigned char>* pixels, FrameMetadata* metadata,
                 BMDFrameFlags* flags) {
  const FrameShape shape = inputShape(inputMode);
  pixels->assign(size_t(shape.rowBytes) * size_t(shape.height), 0);
  *flags = 0;
  if (cable.signalMode != inputMode) {
    *flags = bmdFrameHasNoInputSource;
    return;
  }
  const WirePicture* picture = cable.picture.get();
  if (picture == nullptr) return;  // the output shows black before its first frame
  if (picture->width != shape.width || picture->height != shape.height) {
    *flags = bmdFrameHasNoInputSource;
    return;
  }
  for (int32_t y = 0; y < shape.height; ++y) {
    const unsigned char* from = picture->pixels.data() + int64_t{picture->rowBytes} * y;
    std::copy(from, from + 4 * shape.width, pixels->data() + int64_t{shape.rowBytes} * y);
  }
  applyPixelFaults(link, shape.width, shape.height, shape.rowBytes, pixels);
  *metadata = applyMetadataFault(link, picture->metadata);
  *flags = metadata->flags;
}

void runStreams(std::shared_ptr<InputStream> stream) {
  std::deque<OnCable> carried;
  for (int64_t tick = 1;; ++tick) {
    InputSetup link;
    {
      StateLock lock;
      if (stream->stop) return;
      link = stream->card->setup.input;
    }
    {
      std::unique_lock<std::mutex> sleeping(stream->sleepMutex);
      stream->wake.wait_for(sleeping, std::chrono::milliseconds(link.frameMs));
    }
    OnCable now;
    {
      StateLock lock;
      SimState& state = lock.state();
      if (stream->stop) return;
      now.signalMode = signalModeAt(state, *stream->card);
      if (link.cableFrom >= 0 && size_t(link.cableFrom) < state.cards.size()) {
        now.picture = state.cards[link.cableFrom]->wire;
      }
    }
    carried.push_back(now);
    if (carried.size() <= size_t(link.delay)) continue;
    const OnCable cable = carried.front();
    carried.pop_front();
    if (link.dropEvery > 0 && tick % link.dropEvery == 0) continue;
    std::vector<unsigned char> pixels;
    FrameMetadata metadata;
    BMDFrameFlags flags = 0;
    makeArrival(link, cable, stream->mode, &pixels, &metadata, &flags);
    SimInputFrame* frame = nullptr;
    IDeckLinkInputCallback* callback = nullptr;
    {
      StateLock lock;
      SimState& state = lock.state();
      if (stream->stop) return;
      unsigned char* memory = static_cast<unsigned char*>(std::malloc(pixels.size()));
      if (memory == nullptr) continue;
      std::copy(pixels.begin(), pixels.end(), memory);
      auto framePixels = std::make_shared<FramePixels>(memory, pixels.size());
      frame = createObject<SimInputFrame>(
          state, stream->card, inputShape(stream->mode), flags, std::move(framePixels),
          std::make_shared<FrameMetadata>(metadata), tick, link.frameMs);
      callback = stream->callback;
      state.log.write(stringPrintf("SIM input card %d frame %lld = %s", stream->card->position,
                                   static_cast<long long>(tick), frame->label().c_str()));
    }
    // Unlocked, as the driver calls from its own thread: the program's
    // callback calls the frame, which takes the lock.
    if (callback != nullptr) callback->VideoInputFrameArrived(frame, nullptr);
    frame->Release();
  }
}

}  // namespace

BMDDisplayMode signalModeAt(const SimState& state, const CardRuntime& card) {
  const InputSetup& link = card.setup.input;
  if (link.cableFrom < 0 || size_t(link.cableFrom) >= state.cards.size()) return 0;
  const CardRuntime& source = *state.cards[link.cableFrom];
  if (!source.enabled) return 0;
  return link.otherMode >= 0 ? kSimModes[link.otherMode].mode : source.mode;
}

SimInput::SimInput(std::shared_ptr<CardRuntime> card)
    : SimObject("Input"), card_(std::move(card)), stream_(std::make_shared<InputStream>()) {
  stream_->card = card_;
}

HRESULT SimInput::DoesSupportVideoMode(BMDVideoConnection connection, BMDDisplayMode requestedMode,
                                       BMDPixelFormat requestedPixelFormat,
                                       BMDVideoInputConversionMode conversionMode,
                                       BMDSupportedVideoModeFlags flags, BMDDisplayMode* actualMode,
                                       bool* supported) {
  StateLock lock;
  CallRecord call(
      lock.state(), *this, "DoesSupportVideoMode",
      stringPrintf("conn=%u mode=%s fmt=%s conv=%s flags=%u", connection,
                   fourCCText(requestedMode).c_str(), fourCCText(requestedPixelFormat).c_str(),
                   fourCCText(conversionMode).c_str(), flags));
  if (supported != nullptr) *supported = false;
  if (call.refused()) return call.refusal();
  if (supported == nullptr) return call.finish(kE_POINTER);
  const int mode = simModeByFourCC(requestedMode);
  *supported = mode >= 0 && card_->setup.modes[mode] &&
               (requestedPixelFormat == bmdFormat10BitRGB || requestedPixelFormat == 0);
  if (*supported && actualMode != nullptr) *actualMode = requestedMode;
  return call.finish(kS_OK, *supported ? "supported=yes" : "supported=no");
}

HRESULT SimInput::EnableVideoInput(BMDDisplayMode displayMode, BMDPixelFormat pixelFormat,
                                   BMDVideoInputFlags flags) {
  StateLock lock;
  CallRecord call(lock.state(), *this, "EnableVideoInput",
                  stringPrintf("mode=%s fmt=%s flags=%u", fourCCText(displayMode).c_str(),
                               fourCCText(pixelFormat).c_str(), flags));
  if (call.refused()) return call.refusal();
  const int mode = simModeByFourCC(displayMode);
  if (mode < 0 || !card_->setup.modes[mode] || pixelFormat != bmdFormat10BitRGB) {
    return call.finish(kE_INVALIDARG, "unknown-mode");
  }
  if (card_->inputEnabled) return call.finish(kE_ACCESSDENIED, "already-enabled");
  card_->inputEnabled = enabledHere_ = true;
  card_->inputMode = stream_->mode = displayMode;
  return call.finish(kS_OK);
}

std::thread SimInput::endStreams() {
  stream_->stop = true;
  stream_->wake.notify_all();
  return std::move(thread_);
}

HRESULT SimInput::DisableVideoInput() {
  std::thread ending;
  HRESULT result = kS_OK;
  {
    StateLock lock;
    CallRecord call(lock.state(), *this, "DisableVideoInput", "");
    if (call.refused()) return call.refusal();
    ending = endStreams();
    if (enabledHere_) card_->inputEnabled = false;
    enabledHere_ = false;
    result = call.finish(kS_OK);
  }
  if (ending.joinable()) ending.join();
  return result;
}

HRESULT SimInput::StartStreams() {
  StateLock lock;
  CallRecord call(lock.state(), *this, "StartStreams", "");
  if (call.refused()) return call.refusal();
  if (!enabledHere_) {
    call.misuse("video input not enabled");
    return call.finish(kE_FAIL);
  }
  if (thread_.joinable()) return call.finish(kE_FAIL, "already-started");
  // A fresh stream: a thread ended before may still hold the old one.
  auto fresh = std::make_shared<InputStream>();
  fresh->card = card_;
  fresh->mode = stream_->mode;
  fresh->callback = stream_->callback;
  stream_ = fresh;
  thread_ = std::thread(runStreams, stream_);
  return call.finish(kS_OK);
}

HRESULT SimInput::StopStreams() {
  std::thread ending;
  HRESULT result = kS_OK;
  {
    StateLock lock;
    CallRecord call(lock.state(), *this, "StopStreams", "");
    if (call.refused()) return call.refusal();
    ending = endStreams();
    result = call.finish(kS_OK);
  }
  if (ending.joinable()) ending.join();
  return result;
}

HRESULT SimInput::SetCallback(IDeckLinkInputCallback* theCallback) {
  StateLock lock;
  CallRecord call(lock.state(), *this, "SetCallback", theCallback != nullptr ? "callback" : "null");
  if (call.refused()) return call.refusal();
  stream_->callback = theCallback;
  return call.finish(kS_OK);
}

HRESULT SimInput::GetAvailableVideoFrameCount(uint32_t* availableFrameCount) {
  StateLock lock;
  CallRecord call(lock.state(), *this, "GetAvailableVideoFrameCount", "");
  if (availableFrameCount != nullptr) *availableFrameCount = 0;
  if (call.refused()) return call.refusal();
  return call.finish(availableFrameCount == nullptr ? kE_POINTER : kS_OK);
}

HRESULT SimInput::FlushStreams() {
  StateLock lock;
  CallRecord call(lock.state(), *this, "FlushStreams", "");
  if (call.refused()) return call.refusal();
  return call.finish(kS_OK);
}

HRESULT SimInput::GetDisplayMode(BMDDisplayMode, IDeckLinkDisplayMode** resultDisplayMode) {
  if (resultDisplayMode != nullptr) *resultDisplayMode = nullptr;
  return notSimulatedCall(*this, "GetDisplayMode");
}

HRESULT SimInput::GetDisplayModeIterator(IDeckLinkDisplayModeIterator** iterator) {
  if (iterator != nullptr) *iterator = nullptr;
  return notSimulatedCall(*this, "GetDisplayModeIterator");
}

HRESULT SimInput::SetScreenPreviewCallback(IDeckLinkScreenPreviewCallback*) {
  return notSimulatedCall(*this, "SetScreenPreviewCallback");
}

HRESULT SimInput::EnableVideoInputWithAllocatorProvider(BMDDisplayMode, BMDPixelFormat,
                                                        BMDVideoInputFlags,
                                                        IDeckLinkVideoBufferAllocatorProvider*) {
  return notSimulatedCall(*this, "EnableVideoInputWithAllocatorProvider");
}

HRESULT SimInput::EnableAudioInput(BMDAudioSampleRate, BMDAudioSampleType, uint32_t) {
  return notSimulatedCall(*this, "EnableAudioInput");
}

HRESULT SimInput::DisableAudioInput() { return notSimulatedCall(*this, "DisableAudioInput"); }

HRESULT SimInput::GetAvailableAudioSampleFrameCount(uint32_t* availableSampleFrameCount) {
  if (availableSampleFrameCount != nullptr) *availableSampleFrameCount = 0;
  return notSimulatedCall(*this, "GetAvailableAudioSampleFrameCount");
}

HRESULT SimInput::PauseStreams() { return notSimulatedCall(*this, "PauseStreams"); }

HRESULT SimInput::GetHardwareReferenceClock(BMDTimeScale, BMDTimeValue* hardwareTime,
                                            BMDTimeValue* timeInFrame,
                                            BMDTimeValue* ticksPerFrame) {
  for (BMDTimeValue* out : {hardwareTime, timeInFrame, ticksPerFrame}) {
    if (out != nullptr) *out = 0;
  }
  return notSimulatedCall(*this, "GetHardwareReferenceClock");
}

QueryAnswer SimInput::answerQuery(SimState&, const DeckLinkIID& iid) {
  if (sameIID(iid, IID_IUnknown) || sameIID(iid, IID_IDeckLinkInput)) return itself();
  return QueryAnswer();
}

std::string SimInput::finalRelease(SimState&) {
  std::string note;
  if (thread_.joinable()) {
    endStreams().detach();
    note = "stopped-streams";
  }
  if (enabledHere_) {
    card_->inputEnabled = false;
    enabledHere_ = false;
    note += note.empty() ? "disabled-input" : " disabled-input";
  }
  return note;
}
