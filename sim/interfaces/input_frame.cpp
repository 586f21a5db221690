#include "interfaces/input_frame.h"

#include "accounting/call_record.h"
#include "accounting/log_values.h"
#include "interfaces/frame_metadata_extensions.h"
#include "interfaces/video_buffer.h"
#include "util/util.h"

SimInputFrame::SimInputFrame(std::shared_ptr<CardRuntime> card, const FrameShape& shape,
                             BMDFrameFlags flags, std::shared_ptr<FramePixels> pixels,
                             std::shared_ptr<FrameMetadata> metadata, int64_t tick, int frameMs)
    : SimObject("InputFrame"),
      card_(std::move(card)),
      shape_(shape),
      flags_(flags),
      pixels_(std::move(pixels)),
      metadata_(std::move(metadata)),
      tick_(tick),
      frameMs_(frameMs) {}

long SimInputFrame::GetWidth() {
  StateLock lock;
  logValueCall(lock.state(), *this, "GetWidth", std::to_string(shape_.width));
  return shape_.width;
}

long SimInputFrame::GetHeight() {
  StateLock lock;
  logValueCall(lock.state(), *this, "GetHeight", std::to_string(shape_.height));
  return shape_.height;
}

long SimInputFrame::GetRowBytes() {
  StateLock lock;
  logValueCall(lock.state(), *this, "GetRowBytes", std::to_string(shape_.rowBytes));
  return shape_.rowBytes;
}

BMDPixelFormat SimInputFrame::GetPixelFormat() {
  StateLock lock;
  logValueCall(lock.state(), *this, "GetPixelFormat", fourCCText(shape_.pixelFormat));
  return shape_.pixelFormat;
}

BMDFrameFlags SimInputFrame::GetFlags() {
  StateLock lock;
  logValueCall(lock.state(), *this, "GetFlags", stringPrintf("0x%X", flags_));
  return flags_;
}

HRESULT SimInputFrame::GetTimecode(BMDTimecodeFormat, IDeckLinkTimecode** timecode) {
  if (timecode != nullptr) *timecode = nullptr;
  return notSimulatedCall(*this, "GetTimecode");
}

HRESULT SimInputFrame::GetAncillaryData(IDeckLinkVideoFrameAncillary** ancillary) {
  if (ancillary != nullptr) *ancillary = nullptr;
  return notSimulatedCall(*this, "GetAncillaryData");
}

HRESULT SimInputFrame::times(const char* method, BMDTimeScale scale, BMDTimeValue* time,
                             BMDTimeValue* duration) {
  StateLock lock;
  CallRecord call(lock.state(), *this, method, std::to_string(scale));
  if (time != nullptr) *time = 0;
  if (duration != nullptr) *duration = 0;
  if (call.refused()) return call.refusal();
  if (time == nullptr || duration == nullptr) return call.finish(kE_POINTER);
  if (scale <= 0) return call.finish(kE_INVALIDARG);
  *duration = frameMs_ * scale / 1000;
  *time = tick_ * *duration;
  return call.finish(kS_OK, stringPrintf("%lld %lld", static_cast<long long>(*time),
                                         static_cast<long long>(*duration)));
}

HRESULT SimInputFrame::GetStreamTime(BMDTimeValue* frameTime, BMDTimeValue* frameDuration,
                                     BMDTimeScale timeScale) {
  return times("GetStreamTime", timeScale, frameTime, frameDuration);
}

HRESULT SimInputFrame::GetHardwareReferenceTimestamp(BMDTimeScale timeScale,
                                                     BMDTimeValue* frameTime,
                                                     BMDTimeValue* frameDuration) {
  return times("GetHardwareReferenceTimestamp", timeScale, frameTime, frameDuration);
}

QueryAnswer SimInputFrame::answerQuery(SimState& state, const DeckLinkIID& iid) {
  if (sameIID(iid, IID_IUnknown) || sameIID(iid, IID_IDeckLinkVideoFrame) ||
      sameIID(iid, IID_IDeckLinkVideoInputFrame)) {
    return itself();
  }
  if (sameIID(iid, IID_IDeckLinkVideoFrameMetadataExtensions) && card_->setup.hasMetadata) {
    auto* extensions = createObject<SimFrameMetadataExtensions>(state, card_, metadata_);
    return QueryAnswer{extensions, static_cast<IDeckLinkVideoFrameMetadataExtensions*>(extensions)};
  }
  if (sameIID(iid, IID_IDeckLinkVideoBuffer) && card_->setup.hasBuffer && pixels_ != nullptr) {
    SimVideoBuffer* buffer = createObject<SimVideoBuffer>(state, card_, pixels_);
    return QueryAnswer{buffer, static_cast<IDeckLinkVideoBuffer*>(buffer)};
  }
  return QueryAnswer();
}

std::string SimInputFrame::finalRelease(SimState&) {
  pixels_.reset();
  return std::string();
}
