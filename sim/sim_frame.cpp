#include "sim_frame.h"

#include "accounting/call_record.h"
#include "accounting/log_values.h"
#include "sim_buffer.h"

SimFrame::SimFrame(std::shared_ptr<CardRuntime> card, const FrameShape& shape,
                   BMDFrameFlags flags, std::shared_ptr<FramePixels> pixels)
    : SimObject("Frame"),
      card_(std::move(card)),
      shape_(shape),
      flags_(flags),
      pixels_(std::move(pixels)) {}

long SimFrame::GetWidth() {
  StateLock lock;
  logValueCall(lock.state(), *this, "GetWidth", std::to_string(shape_.width));
  return shape_.width;
}

long SimFrame::GetHeight() {
  StateLock lock;
  logValueCall(lock.state(), *this, "GetHeight", std::to_string(shape_.height));
  return shape_.height;
}

long SimFrame::GetRowBytes() {
  StateLock lock;
  logValueCall(lock.state(), *this, "GetRowBytes", std::to_string(shape_.rowBytes));
  return shape_.rowBytes;
}

BMDPixelFormat SimFrame::GetPixelFormat() {
  StateLock lock;
  logValueCall(lock.state(), *this, "GetPixelFormat", fourCCText(shape_.pixelFormat));
  return shape_.pixelFormat;
}

BMDFrameFlags SimFrame::GetFlags() {
  StateLock lock;
  logValueCall(lock.state(), *this, "GetFlags", std::to_string(flags_));
  return flags_;
}

HRESULT SimFrame::SetFlags(BMDFrameFlags newFlags) {
  StateLock lock;
  CallRecord call(lock.state(), *this, "SetFlags", std::to_string(newFlags));
  if (call.refused()) return call.refusal();
  flags_ = newFlags;
  return call.finish(kS_OK);
}

HRESULT SimFrame::notSimulated(const char* method) {
  StateLock lock;
  CallRecord call(lock.state(), *this, method, "");
  if (call.refused()) return call.refusal();
  return call.finish(kE_NOTIMPL);
}

HRESULT SimFrame::GetTimecode(BMDTimecodeFormat, IDeckLinkTimecode** timecode) {
  if (timecode != nullptr) *timecode = nullptr;
  return notSimulated("GetTimecode");
}

HRESULT SimFrame::GetAncillaryData(IDeckLinkVideoFrameAncillary** ancillary) {
  if (ancillary != nullptr) *ancillary = nullptr;
  return notSimulated("GetAncillaryData");
}

HRESULT SimFrame::SetTimecode(BMDTimecodeFormat, IDeckLinkTimecode*) {
  return notSimulated("SetTimecode");
}

HRESULT SimFrame::SetTimecodeFromComponents(BMDTimecodeFormat, uint8_t, uint8_t, uint8_t,
                                            uint8_t, BMDTimecodeFlags) {
  return notSimulated("SetTimecodeFromComponents");
}

HRESULT SimFrame::SetAncillaryData(IDeckLinkVideoFrameAncillary*) {
  return notSimulated("SetAncillaryData");
}

HRESULT SimFrame::SetTimecodeUserBits(BMDTimecodeFormat, BMDTimecodeUserBits) {
  return notSimulated("SetTimecodeUserBits");
}

HRESULT SimFrame::SetInterfaceProvider(REFIID, IUnknown*) {
  return notSimulated("SetInterfaceProvider");
}

QueryAnswer SimFrame::answerQuery(SimState& state, const DeckLinkIID& iid) {
  if (sameIID(iid, IID_IUnknown) || sameIID(iid, IID_IDeckLinkVideoFrame) ||
      sameIID(iid, IID_IDeckLinkMutableVideoFrame)) {
    return itself();
  }
  if (sameIID(iid, IID_IDeckLinkVideoBuffer) && card_->setup.hasBuffer) {
    SimBuffer* buffer = createObject<SimBuffer>(state, card_, pixels_);
    return QueryAnswer{buffer, static_cast<IDeckLinkVideoBuffer*>(buffer)};
  }
  return QueryAnswer();
}

std::string SimFrame::finalRelease(SimState&) {
  pixels_.reset();
  return std::string();
}
