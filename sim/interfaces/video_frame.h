// IDeckLinkMutableVideoFrame: a frame from CreateVideoFrame. Its pixels are
// reached through the IDeckLinkVideoBuffer that QueryInterface hands out,
// its metadata through the metadata extensions (both IIDs).
#ifndef DECKLINK_SIM_INTERFACES_VIDEO_FRAME_H
#define DECKLINK_SIM_INTERFACES_VIDEO_FRAME_H

#include <cstdint>
#include <cstdlib>
#include <memory>

#include "accounting/counted_object.h"
#include "capture/frame_metadata.h"
#include "state/sim_state.h"

// The pixel memory of one frame. The frame and each buffer object obtained
// from it share it, so whichever is released last frees it; the count of
// open buffer accesses lives here too, because every buffer of a frame
// opens the same memory.
struct FramePixels {
  FramePixels(unsigned char* memory, uint64_t bytes) : data(memory), size(bytes) {}
  ~FramePixels() { std::free(data); }
  FramePixels(const FramePixels&) = delete;
  FramePixels& operator=(const FramePixels&) = delete;

  unsigned char* const data;  // from calloc
  const uint64_t size;
  int openAccesses = 0;
};

struct FrameShape {
  int32_t width;
  int32_t height;
  int32_t rowBytes;
  BMDPixelFormat pixelFormat;
};

class SimVideoFrame final : public SimObject<IDeckLinkMutableVideoFrame> {
 public:
  SimVideoFrame(std::shared_ptr<CardRuntime> card, const FrameShape& shape, BMDFrameFlags flags,
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
  // What the frame carries: its flags and the values set through its
  // metadata extensions.
  FrameMetadata metadata() const;

 private:
  HRESULT notSimulated(const char* method);

  const std::shared_ptr<CardRuntime> card_;
  const FrameShape shape_;
  BMDFrameFlags flags_;
  std::shared_ptr<FramePixels> pixels_;  // null once released
  // Shared with the metadata extension objects the frame hands out; the
  // flags stay in flags_.
  const std::shared_ptr<FrameMetadata> metadata_ = std::make_shared<FrameMetadata>();
};

#endif  // DECKLINK_SIM_INTERFACES_VIDEO_FRAME_H
