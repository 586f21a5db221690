// IDeckLinkInput: a card's capture. Enabled at one mode in 'r210', its
// streams run a thread of the card's own that, once per link frame period,
// makes a frame of what the cable carries (what the cabled card's output
// displayed, through the link's faults) and hands it to the program's
// callback, as the driver does from its own thread. Scheduled capture
// options, audio, preview and custom allocators answer E_NOTIMPL.
#ifndef DECKLINK_SIM_INTERFACES_INPUT_H
#define DECKLINK_SIM_INTERFACES_INPUT_H

#include <memory>
#include <thread>

#include "accounting/counted_object.h"
#include "decklink/decklink_input_api.h"
#include "state/sim_state.h"

struct InputStream;

class SimInput final : public SimObject<IDeckLinkInput> {
 public:
  explicit SimInput(std::shared_ptr<CardRuntime> card);

  HRESULT DoesSupportVideoMode(BMDVideoConnection connection, BMDDisplayMode requestedMode,
                               BMDPixelFormat requestedPixelFormat,
                               BMDVideoInputConversionMode conversionMode,
                               BMDSupportedVideoModeFlags flags, BMDDisplayMode* actualMode,
                               bool* supported) override;
  HRESULT GetDisplayMode(BMDDisplayMode displayMode,
                         IDeckLinkDisplayMode** resultDisplayMode) override;
  HRESULT GetDisplayModeIterator(IDeckLinkDisplayModeIterator** iterator) override;
  HRESULT SetScreenPreviewCallback(IDeckLinkScreenPreviewCallback* previewCallback) override;
  HRESULT EnableVideoInput(BMDDisplayMode displayMode, BMDPixelFormat pixelFormat,
                           BMDVideoInputFlags flags) override;
  HRESULT EnableVideoInputWithAllocatorProvider(
      BMDDisplayMode displayMode, BMDPixelFormat pixelFormat, BMDVideoInputFlags flags,
      IDeckLinkVideoBufferAllocatorProvider* allocatorProvider) override;
  HRESULT DisableVideoInput() override;
  HRESULT GetAvailableVideoFrameCount(uint32_t* availableFrameCount) override;
  HRESULT EnableAudioInput(BMDAudioSampleRate sampleRate, BMDAudioSampleType sampleType,
                           uint32_t channelCount) override;
  HRESULT DisableAudioInput() override;
  HRESULT GetAvailableAudioSampleFrameCount(uint32_t* availableSampleFrameCount) override;
  HRESULT StartStreams() override;
  HRESULT StopStreams() override;
  HRESULT PauseStreams() override;
  HRESULT FlushStreams() override;
  HRESULT SetCallback(IDeckLinkInputCallback* theCallback) override;
  HRESULT GetHardwareReferenceClock(BMDTimeScale desiredTimeScale, BMDTimeValue* hardwareTime,
                                    BMDTimeValue* timeInFrame,
                                    BMDTimeValue* ticksPerFrame) override;

  QueryAnswer answerQuery(SimState& state, const DeckLinkIID& iid) override;
  // Released with its streams running or its input enabled: both end (the
  // thread stops on its own after at most one more frame).
  std::string finalRelease(SimState& state) override;

 private:
  // Ends the streams' thread, to be joined once the state is unlocked.
  std::thread endStreams();

  const std::shared_ptr<CardRuntime> card_;
  std::shared_ptr<InputStream> stream_;  // shared with the thread
  std::thread thread_;
  bool enabledHere_ = false;
};

// The mode of the signal that reaches `card`'s input now, or 0 for none (no
// cable, or the cabled output is not enabled).
BMDDisplayMode signalModeAt(const SimState& state, const CardRuntime& card);

#endif  // DECKLINK_SIM_INTERFACES_INPUT_H
