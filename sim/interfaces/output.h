// IDeckLinkOutput: mode probing, enabling the output (with the
// cross-process hold), frame creation and synchronous display. Scheduled
// playback and audio are not simulated: those methods answer E_NOTIMPL.
#ifndef DECKLINK_SIM_INTERFACES_OUTPUT_H
#define DECKLINK_SIM_INTERFACES_OUTPUT_H

#include <memory>

#include "accounting/counted_object.h"
#include "state/sim_state.h"

class SimOutput final : public SimObject<IDeckLinkOutput> {
 public:
  explicit SimOutput(std::shared_ptr<CardRuntime> card);

  // output.cpp
  HRESULT DoesSupportVideoMode(BMDVideoConnection connection, BMDDisplayMode requestedMode,
                               BMDPixelFormat requestedPixelFormat,
                               BMDVideoOutputConversionMode conversionMode,
                               BMDSupportedVideoModeFlags flags, BMDDisplayMode* actualMode,
                               bool* supported) override;
  HRESULT EnableVideoOutput(BMDDisplayMode displayMode, BMDVideoOutputFlags flags) override;
  HRESULT DisableVideoOutput() override;
  HRESULT RowBytesForPixelFormat(BMDPixelFormat pixelFormat, int32_t width,
                                 int32_t* rowBytes) override;

  // output_frames.cpp
  HRESULT CreateVideoFrame(int32_t width, int32_t height, int32_t rowBytes,
                           BMDPixelFormat pixelFormat, BMDFrameFlags flags,
                           IDeckLinkMutableVideoFrame** outFrame) override;
  HRESULT DisplayVideoFrameSync(IDeckLinkVideoFrame* theFrame) override;

  // output_not_simulated.cpp
  HRESULT GetDisplayMode(BMDDisplayMode displayMode,
                         IDeckLinkDisplayMode** resultDisplayMode) override;
  HRESULT GetDisplayModeIterator(IDeckLinkDisplayModeIterator** iterator) override;
  HRESULT SetScreenPreviewCallback(IDeckLinkScreenPreviewCallback* previewCallback) override;
  HRESULT CreateVideoFrameWithBuffer(int32_t width, int32_t height, int32_t rowBytes,
                                     BMDPixelFormat pixelFormat, BMDFrameFlags flags,
                                     IDeckLinkVideoBuffer* buffer,
                                     IDeckLinkMutableVideoFrame** outFrame) override;
  HRESULT CreateAncillaryData(BMDPixelFormat pixelFormat,
                              IDeckLinkVideoFrameAncillary** outBuffer) override;
  HRESULT ScheduleVideoFrame(IDeckLinkVideoFrame* theFrame, BMDTimeValue displayTime,
                             BMDTimeValue displayDuration, BMDTimeScale timeScale) override;
  HRESULT SetScheduledFrameCompletionCallback(IDeckLinkVideoOutputCallback* theCallback) override;
  HRESULT GetBufferedVideoFrameCount(uint32_t* bufferedFrameCount) override;
  HRESULT EnableAudioOutput(BMDAudioSampleRate sampleRate, BMDAudioSampleType sampleType,
                            uint32_t channelCount, BMDAudioOutputStreamType streamType) override;
  HRESULT DisableAudioOutput() override;
  HRESULT WriteAudioSamplesSync(void* buffer, uint32_t sampleFrameCount,
                                uint32_t* sampleFramesWritten) override;
  HRESULT BeginAudioPreroll() override;
  HRESULT EndAudioPreroll() override;
  HRESULT ScheduleAudioSamples(void* buffer, uint32_t sampleFrameCount, BMDTimeValue streamTime,
                               BMDTimeScale timeScale, uint32_t* sampleFramesWritten) override;
  HRESULT GetBufferedAudioSampleFrameCount(uint32_t* bufferedSampleFrameCount) override;
  HRESULT FlushBufferedAudioSamples() override;
  HRESULT SetAudioCallback(IDeckLinkAudioOutputCallback* theCallback) override;
  HRESULT StartScheduledPlayback(BMDTimeValue playbackStartTime, BMDTimeScale timeScale,
                                 double playbackSpeed) override;
  HRESULT StopScheduledPlayback(BMDTimeValue stopPlaybackAtTime, BMDTimeValue* actualStopTime,
                                BMDTimeScale timeScale) override;
  HRESULT IsScheduledPlaybackRunning(bool* active) override;
  HRESULT GetScheduledStreamTime(BMDTimeScale desiredTimeScale, BMDTimeValue* streamTime,
                                 double* playbackSpeed) override;
  HRESULT GetReferenceStatus(BMDReferenceStatus* referenceStatus) override;
  HRESULT GetHardwareReferenceClock(BMDTimeScale desiredTimeScale, BMDTimeValue* hardwareTime,
                                    BMDTimeValue* timeInFrame,
                                    BMDTimeValue* ticksPerFrame) override;
  HRESULT GetFrameCompletionReferenceTimestamp(IDeckLinkVideoFrame* theFrame,
                                               BMDTimeScale desiredTimeScale,
                                               BMDTimeValue* frameCompletionTimestamp) override;

  QueryAnswer answerQuery(SimState& state, const DeckLinkIID& iid) override;
  // Releasing the output that enabled the card ends the output, as the
  // driver's teardown would.
  std::string finalRelease(SimState& state) override;

 private:
  HRESULT notSimulated(const char* method);
  // The mode whose create_frame fault applies to a frame of this size: the
  // enabled mode when it has the size, else the 24p mode of the size.
  int frameMode(int32_t width, int32_t height) const;
  // The reason a frame cannot be displayed now, or "" when it can.
  std::string displayProblem(SimState& state, const IDeckLinkVideoFrame* frame) const;

  const std::shared_ptr<CardRuntime> card_;
};

#endif  // DECKLINK_SIM_INTERFACES_OUTPUT_H
