// SimOutput's calls for scheduled playback, audio, preview and the rest the
// simulated card does not offer: each is logged, counted for fail_call, and
// answers E_NOTIMPL with its out-parameters cleared.
#include "accounting/call_record.h"
#include "interfaces/output.h"

namespace {

template <class T>
void clear(T* out) {
  if (out != nullptr) *out = T();
}

}  // namespace

HRESULT SimOutput::notSimulated(const char* method) { return notSimulatedCall(*this, method); }

HRESULT SimOutput::GetDisplayMode(BMDDisplayMode, IDeckLinkDisplayMode** resultDisplayMode) {
  clear(resultDisplayMode);
  return notSimulated("GetDisplayMode");
}

HRESULT SimOutput::GetDisplayModeIterator(IDeckLinkDisplayModeIterator** iterator) {
  clear(iterator);
  return notSimulated("GetDisplayModeIterator");
}

HRESULT SimOutput::SetScreenPreviewCallback(IDeckLinkScreenPreviewCallback*) {
  return notSimulated("SetScreenPreviewCallback");
}

HRESULT SimOutput::CreateVideoFrameWithBuffer(int32_t, int32_t, int32_t, BMDPixelFormat,
                                              BMDFrameFlags, IDeckLinkVideoBuffer*,
                                              IDeckLinkMutableVideoFrame** outFrame) {
  clear(outFrame);
  return notSimulated("CreateVideoFrameWithBuffer");
}

HRESULT SimOutput::CreateAncillaryData(BMDPixelFormat, IDeckLinkVideoFrameAncillary** outBuffer) {
  clear(outBuffer);
  return notSimulated("CreateAncillaryData");
}

HRESULT SimOutput::ScheduleVideoFrame(IDeckLinkVideoFrame*, BMDTimeValue, BMDTimeValue,
                                      BMDTimeScale) {
  return notSimulated("ScheduleVideoFrame");
}

HRESULT SimOutput::SetScheduledFrameCompletionCallback(IDeckLinkVideoOutputCallback*) {
  return notSimulated("SetScheduledFrameCompletionCallback");
}

HRESULT SimOutput::GetBufferedVideoFrameCount(uint32_t* bufferedFrameCount) {
  clear(bufferedFrameCount);
  return notSimulated("GetBufferedVideoFrameCount");
}

HRESULT SimOutput::EnableAudioOutput(BMDAudioSampleRate, BMDAudioSampleType, uint32_t,
                                     BMDAudioOutputStreamType) {
  return notSimulated("EnableAudioOutput");
}

HRESULT SimOutput::DisableAudioOutput() { return notSimulated("DisableAudioOutput"); }

HRESULT SimOutput::WriteAudioSamplesSync(void*, uint32_t, uint32_t* sampleFramesWritten) {
  clear(sampleFramesWritten);
  return notSimulated("WriteAudioSamplesSync");
}

HRESULT SimOutput::BeginAudioPreroll() { return notSimulated("BeginAudioPreroll"); }

HRESULT SimOutput::EndAudioPreroll() { return notSimulated("EndAudioPreroll"); }

HRESULT SimOutput::ScheduleAudioSamples(void*, uint32_t, BMDTimeValue, BMDTimeScale,
                                        uint32_t* sampleFramesWritten) {
  clear(sampleFramesWritten);
  return notSimulated("ScheduleAudioSamples");
}

HRESULT SimOutput::GetBufferedAudioSampleFrameCount(uint32_t* bufferedSampleFrameCount) {
  clear(bufferedSampleFrameCount);
  return notSimulated("GetBufferedAudioSampleFrameCount");
}

HRESULT SimOutput::FlushBufferedAudioSamples() { return notSimulated("FlushBufferedAudioSamples"); }

HRESULT SimOutput::SetAudioCallback(IDeckLinkAudioOutputCallback*) {
  return notSimulated("SetAudioCallback");
}

HRESULT SimOutput::StartScheduledPlayback(BMDTimeValue, BMDTimeScale, double) {
  return notSimulated("StartScheduledPlayback");
}

HRESULT SimOutput::StopScheduledPlayback(BMDTimeValue, BMDTimeValue* actualStopTime,
                                         BMDTimeScale) {
  clear(actualStopTime);
  return notSimulated("StopScheduledPlayback");
}

HRESULT SimOutput::IsScheduledPlaybackRunning(bool* active) {
  clear(active);
  return notSimulated("IsScheduledPlaybackRunning");
}

HRESULT SimOutput::GetScheduledStreamTime(BMDTimeScale, BMDTimeValue* streamTime,
                                          double* playbackSpeed) {
  clear(streamTime);
  clear(playbackSpeed);
  return notSimulated("GetScheduledStreamTime");
}

HRESULT SimOutput::GetReferenceStatus(BMDReferenceStatus* referenceStatus) {
  clear(referenceStatus);
  return notSimulated("GetReferenceStatus");
}

HRESULT SimOutput::GetHardwareReferenceClock(BMDTimeScale, BMDTimeValue* hardwareTime,
                                             BMDTimeValue* timeInFrame,
                                             BMDTimeValue* ticksPerFrame) {
  clear(hardwareTime);
  clear(timeInFrame);
  clear(ticksPerFrame);
  return notSimulated("GetHardwareReferenceClock");
}

HRESULT SimOutput::GetFrameCompletionReferenceTimestamp(IDeckLinkVideoFrame*, BMDTimeScale,
                                                        BMDTimeValue* frameCompletionTimestamp) {
  clear(frameCompletionTimestamp);
  return notSimulated("GetFrameCompletionReferenceTimestamp");
}
