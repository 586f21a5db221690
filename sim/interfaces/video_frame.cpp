#include "interfaces/video_frame.h"

#include "accounting/call_record.h"
#include "accounting/log_values.h"
#include "interfaces/frame_metadata_extensions.h"
#include "interfaces/video_buffer.h"

SimVideoFrame::SimVideoFrame(std::shared_ptr<CardRuntime> card, const FrameShape& shape,
                             BMDFrameFlags flags, std::shared_ptr<FramePixels> pixels)
    : SimObject("Frame"),
      card_(std::move(card)),
      shape_(shape),
      flags_(flags),
      pixels_(std::move(pixels)) {}

long SimVideoFrame::GetWidth() {
  StateLock lock;
  logValueCall(lock.state(), *this, "GetWidth", std::to_string(shape_.width));
  return shape_.width;
}

long SimVideoFrame::GetHeight() {
  StateLock lock;
  logValueCall(lock.state(), *this, "GetHeight", std::to_string(shape_.height));
  return shape_.height;
}

long SimVideoFrame::GetRowBytes() {
  StateLock lock;
  logValueCall(lock.state(), *this, "GetRowBytes", std::to_string(shape_.rowBytes));
  return shape_.rowBytes;
}

BMDPixelFormat SimVideoFrame::GetPixelFormat() {
  StateLock lock;
  logValueCall(lock.state(), *this, "GetPixelFormat", fourCCText(shape_.pixelFormat));
  return shape_.pixelFormat;
}

BMDFrameFlags SimVideoFrame::GetFlags() {
  StateLock lock;
  logValueCall(lock.state(), *this, "GetFlags", std::to_string(flags_));
  return flags_;
}

HRESULT SimVideoFrame::SetFlags(BMDFrameFlags newFlags) {
  StateLock lock;
  CallRecord call(lock.state(), *this, "SetFlags", std::to_string(newFlags));
  if (call.refused()) return call.refusal();
  flags_ = newFlags;
  return call.finish(kS_OK);
}

HRESULT SimVideoFrame::notSimulated(const char* method) { return notSimulatedCall(*this, method); }

HRESULT SimVideoFrame::GetTimecode(BMDTimecodeFormat, IDeckLinkTimecode** timecode) {
  if (timecode != nullptr) *timecode = nullptr;
  return notSimulated("GetTimecode");
}

HRESULT SimVideoFrame::GetAncillaryData(IDeckLinkVideoFrameAncillary** ancillary) {
  if (ancillary != nullptr) *ancillary = nullptr;
  return notSimulated("GetAncillaryData");
}

HRESULT SimVideoFrame::SetTimecode(BMDTimecodeFormat, IDeckLinkTimecode*) {
  return notSimulated("SetTimecode");
}

HRESULT SimVideoFrame::SetTimecodeFromComponents(BMDTimecodeFormat, uint8_t, uint8_t, uint8_t,
                                                 uint8_t, BMDTimecodeFlags) {
  return notSimulated("SetTimecodeFromComponents");
}

HRESULT SimVideoFrame::SetAncillaryData(IDeckLinkVideoFrameAncillary*) {
  return notSimulated("SetAncillaryData");
}

HRESULT SimVideoFrame::SetTimecodeUserBits(BMDTimecodeFormat, BMDTimecodeUserBits) {
  return notSimulated("SetTimecodeUserBits");
}

HRESULT SimVideoFrame::SetInterfaceProvider(REFIID, IUnknown*) {
  return notSimulated("SetInterfaceProvider");
}

QueryAnswer SimVideoFrame::answerQuery(SimState& state, const DeckLinkIID& iid) {
  if (sameIID(iid, IID_IUnknown) || sameIID(iid, IID_IDeckLinkVideoFrame) ||
      sameIID(iid, IID_IDeckLinkMutableVideoFrame)) {
    return itself();
  }
  const bool metadataIid = sameIID(iid, IID_IDeckLinkVideoFrameMetadataExtensions) ||
                           sameIID(iid, IID_IDeckLinkVideoFrameMutableMetadataExtensions);
  if (metadataIid && card_->setup.hasMetadata) {
    auto* extensions = createObject<SimFrameMetadataExtensions>(state, card_, metadata_);
    return QueryAnswer{extensions,
                       static_cast<IDeckLinkVideoFrameMutableMetadataExtensions*>(extensions)};
  }
  if (sameIID(iid, IID_IDeckLinkVideoBuffer) && card_->setup.hasBuffer) {
    SimVideoBuffer* buffer = createObject<SimVideoBuffer>(state, card_, pixels_);
    return QueryAnswer{buffer, static_cast<IDeckLinkVideoBuffer*>(buffer)};
  }
  return QueryAnswer();
}

FrameMetadata SimVideoFrame::metadata() const {
  FrameMetadata carried = *metadata_;
  carried.flags = flags_;
  return carried;
}

std::string SimVideoFrame::finalRelease(SimState&) {
  pixels_.reset();
  return std::string();
}
