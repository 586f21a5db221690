// IDeckLinkVideoInputFrame: a frame that arrived at a simulated input. Its
// pixels are reached through an IDeckLinkVideoBuffer, its metadata through
// the metadata extensions, as an output frame's are; it says when it
// arrived in the input's stream time.
#ifndef DECKLINK_SIM_INTERFACES_INPUT_FRAME_H
#define DECKLINK_SIM_INTERFACES_INPUT_FRAME_H

#include <memory>

#include "accounting/counted_object.h"
#include "decklink/decklink_input_api.h"
#include "interfaces/video_frame.h"
#include "state/sim_state.h"

class SimInputFrame final : public SimObject<IDeckLinkVideoInputFrame> {
 public:
  // `tick` counts the input's frame periods since its streams started;
  // `frameMs` is one period.
  SimInputFrame(std::shared_ptr<CardRuntime> card, const FrameShape& shape, BMDFrameFlags flags,
                std::shared_ptr<FramePixels> pixels, std::shared_ptr<FrameMetadata> metadata,
                int64_t tick, int frameMs);

  long GetWidth() override;
  long GetHeight() override;
  long GetRowBytes() override;
  BMDPixelFormat GetPixelFormat() override;
  BMDFrameFlags GetFlags() override;
  HRESULT GetTimecode(BMDTimecodeFormat format, IDeckLinkTimecode** timecode) override;
  HRESULT GetAncillaryData(IDeckLinkVideoFrameAncillary** ancillary) override;
  HRESULT GetStreamTime(BMDTimeValue* frameTime, BMDTimeValue* frameDuration,
                        BMDTimeScale timeScale) override;
  HRESULT GetHardwareReferenceTimestamp(BMDTimeScale timeScale, BMDTimeValue* frameTime,
                                        BMDTimeValue* frameDuration) override;

  QueryAnswer answerQuery(SimState& state, const DeckLinkIID& iid) override;
  std::string finalRelease(SimState& state) override;

 private:
  HRESULT times(const char* method, BMDTimeScale scale, BMDTimeValue* time,
                BMDTimeValue* duration);

  const std::shared_ptr<CardRuntime> card_;
  const FrameShape shape_;
  const BMDFrameFlags flags_;
  std::shared_ptr<FramePixels> pixels_;  // null once released
  const std::shared_ptr<FrameMetadata> metadata_;
  const int64_t tick_;
  const int frameMs_;
};

#endif  // DECKLINK_SIM_INTERFACES_INPUT_FRAME_H
