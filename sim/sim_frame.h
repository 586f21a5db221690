// IDeckLinkMutableVideoFrame: a frame from CreateVideoFrame. Its pixels are
// reached through the IDeckLinkVideoBuffer that QueryInterface hands out.
#ifndef DECKLINK_SIM_SIM_FRAME_H
#define DECKLINK_SIM_SIM_FRAME_H

#include <memory>

#include "accounting/counted_object.h"
#include "frame_pixels.h"
#include "state/sim_state.h"

struct FrameShape {
  int32_t width;
  int32_t height;
  int32_t rowBytes;
  BMDPixelFormat pixelFormat;
};

class SimFrame final : public SimObject<IDeckLinkMutableVideoFrame> {
 public:
  SimFrame(std::shared_ptr<CardRuntime> card, const FrameShape& shape, BMDFrameFlags flags,
           std::shared_ptr<FramePixels> pixels);

  long GetWidth() override;
  long GetHeight() override;
  long GetRowBytes() override;
  BMDPixelFormat GetPixelFormat() override;
  BMDFrameFlags GetFlags() override;
  HRESULT GetTimecode(BMDTimecodeFormat format, IDeckLinkTimecode** timecode) override;
  HRESULT GetAncillaryData(IDeckLinkVideoFrameAncillary** ancillary) override;

  HRESULT SetFlags(BMDFrameFlags newFlags) override;
  HRESULT SetTimecode(BMDTimecodeFormat format, IDeckLinkTimecode* timecode) override;
  HRESULT SetTimecodeFromComponents(BMDTimecodeFormat format, uint8_t hours, uint8_t minutes,
                                    uint8_t seconds, uint8_t frames,
                                    BMDTimecodeFlags flags) override;
  HRESULT SetAncillaryData(IDeckLinkVideoFrameAncillary* ancillary) override;
  HRESULT SetTimecodeUserBits(BMDTimecodeFormat format, BMDTimecodeUserBits userBits) override;
  HRESULT SetInterfaceProvider(REFIID iid, IUnknown* iface) override;

  QueryAnswer answerQuery(SimState& state, const DeckLinkIID& iid) override;
  // Frees the pixels unless a buffer object still holds them.
  std::string finalRelease(SimState& state) override;

  // For the output that displays the frame; the state is locked.
  const CardRuntime* card() const { return card_.get(); }
  const FrameShape& shape() const { return shape_; }
  const FramePixels* pixels() const { return pixels_.get(); }

 private:
  HRESULT notSimulated(const char* method);

  const std::shared_ptr<CardRuntime> card_;
  const FrameShape shape_;
  BMDFrameFlags flags_;
  std::shared_ptr<FramePixels> pixels_;  // null once released
};

#endif  // DECKLINK_SIM_SIM_FRAME_H
