// The capture side of the DeckLink API (input, its callback, input frames,
// the device's status), declared from the binary facts of the Desktop
// Video 16.0 driver, beside the output side of decklink/decklink_api.h.
//
// As there, every slot is declared in the driver's order, including the
// slots the program never calls and the protected destructor pairs: one
// left out would shift every later slot. IDeckLinkInput and IDeckLinkStatus
// changed IID in 16.0; the older IIDs are declared only so that a driver of
// an older generation can be recognised and named, never called through
// these tables (the 14.2.1 generation's input has other methods at slots
// 8-10).
#ifndef CORVANE_DECKLINK_DECKLINK_INPUT_API_H
#define CORVANE_DECKLINK_DECKLINK_INPUT_API_H

#include "decklink/decklink_api.h"

typedef uint32_t BMDVideoInputFlags;
typedef uint32_t BMDVideoInputConversionMode;
typedef uint32_t BMDVideoInputFormatChangedEvents;
typedef uint32_t BMDDetectedVideoInputFormatFlags;
typedef uint32_t BMDDeckLinkStatusID;
typedef uint32_t BMDFieldDominance;
typedef uint32_t BMDDisplayModeFlags;

constexpr BMDVideoInputFlags bmdVideoInputFlagDefault = 0;
constexpr BMDVideoInputFlags bmdVideoInputEnableFormatDetection = 0x1;
constexpr BMDVideoInputConversionMode bmdNoVideoInputConversion = fourCC("none");
constexpr BMDVideoInputFormatChangedEvents bmdVideoInputDisplayModeChanged = 0x1;
constexpr BMDDetectedVideoInputFormatFlags bmdDetectedVideoInputYCbCr422 = 0x01;
constexpr BMDDetectedVideoInputFormatFlags bmdDetectedVideoInputRGB444 = 0x02;
constexpr BMDDetectedVideoInputFormatFlags bmdDetectedVideoInput12BitDepth = 0x08;
constexpr BMDDetectedVideoInputFormatFlags bmdDetectedVideoInput10BitDepth = 0x10;
constexpr BMDDetectedVideoInputFormatFlags bmdDetectedVideoInput8BitDepth = 0x20;
// Input frames only: no signal at the input; the pixels are not a source's.
constexpr BMDFrameFlags bmdFrameHasNoInputSource = 0x80000000u;
constexpr BMDDisplayMode bmdModeUnknown = fourCC("iunk");

// What the card can do (IDeckLinkProfileAttributes), capture side.
constexpr BMDDeckLinkAttributeID BMDDeckLinkVideoIOSupport = fourCC("vios");  // int
constexpr int64_t bmdDeviceSupportsCapture = 0x1;
constexpr int64_t bmdDeviceSupportsPlayback = 0x2;
constexpr BMDDeckLinkAttributeID BMDDeckLinkVideoInputConnections = fourCC("vicn");   // int
constexpr BMDDeckLinkAttributeID BMDDeckLinkDuplex = fourCC("dupx");                  // int
constexpr int64_t bmdDuplexInactive = fourCC("dxin");
constexpr BMDVideoConnection bmdVideoConnectionSDI = 0x1;
constexpr BMDVideoConnection bmdVideoConnectionHDMI = 0x2;
constexpr BMDVideoConnection bmdVideoConnectionOpticalSDI = 0x4;

// What the device is doing now (IDeckLinkStatus).
constexpr BMDDeckLinkStatusID bmdDeckLinkStatusDetectedVideoInputMode = fourCC("dvim");
constexpr BMDDeckLinkStatusID bmdDeckLinkStatusDetectedVideoInputFormatFlags = fourCC("dvff");
constexpr BMDDeckLinkStatusID bmdDeckLinkStatusCurrentVideoInputMode = fourCC("cvim");
constexpr BMDDeckLinkStatusID bmdDeckLinkStatusCurrentVideoInputPixelFormat = fourCC("cvip");
constexpr BMDDeckLinkStatusID bmdDeckLinkStatusCurrentVideoOutputMode = fourCC("cvom");
constexpr BMDDeckLinkStatusID bmdDeckLinkStatusLastVideoOutputPixelFormat = fourCC("opix");
constexpr BMDDeckLinkStatusID bmdDeckLinkStatusDetectedVideoInputColorspace = fourCC("dscl");
constexpr BMDDeckLinkStatusID bmdDeckLinkStatusDetectedVideoInputDynamicRange = fourCC("dsdr");
constexpr BMDDeckLinkStatusID bmdDeckLinkStatusVideoInputSignalLocked = fourCC("visl");
constexpr BMDDeckLinkStatusID bmdDeckLinkStatusBusy = fourCC("busy");

constexpr DeckLinkIID IID_IDeckLinkInput = {0x6A, 0x51, 0x5F, 0x8A, 0xFB, 0xCE, 0x48, 0x53,
                                            0xB0, 0xF7, 0x2A, 0x09, 0xDB, 0x1E, 0xCA, 0x0B};
// The 14.3-15.3.1 and 11.6-14.2.1 generations: asked only to name an older
// driver in a message.
constexpr DeckLinkIID IID_IDeckLinkInput_v15_3_1 = {0x40, 0x95, 0xDB, 0x82, 0xE2, 0x94,
                                                    0x4B, 0x8C, 0xAA, 0xA8, 0x3B, 0x9E,
                                                    0x80, 0xC4, 0x93, 0x36};
constexpr DeckLinkIID IID_IDeckLinkInput_v14_2_1 = {0xC2, 0x1C, 0xDB, 0x6E, 0xF4, 0x14,
                                                    0x46, 0xE4, 0xA6, 0x36, 0x80, 0xA5,
                                                    0x66, 0xE0, 0xED, 0x37};
constexpr DeckLinkIID IID_IDeckLinkInputCallback = {0x3A, 0x94, 0xF0, 0x75, 0xC3, 0x7D,
                                                    0x4B, 0xA8, 0xBC, 0xC0, 0x1D, 0x77,
                                                    0x8C, 0x8F, 0x88, 0x1B};
constexpr DeckLinkIID IID_IDeckLinkVideoInputFrame = {0xC9, 0xAD, 0xD3, 0xD2, 0xBE, 0x52,
                                                      0x48, 0x8D, 0xAB, 0x2D, 0x7F, 0xDE,
                                                      0xF7, 0xAF, 0x0C, 0x95};
constexpr DeckLinkIID IID_IDeckLinkStatus = {0x2A, 0x04, 0xA6, 0x35, 0xED, 0x42, 0x41, 0xEF,
                                             0x93, 0x42, 0x0E, 0x11, 0xF8, 0xCF, 0x6B, 0x5E};
// Slots 3-7 are the same in the 11.5.1-15.3.1 generation, and only those
// are called, so an older driver's status is read through this table too.
constexpr DeckLinkIID IID_IDeckLinkStatus_v15_3_1 = {0x5F, 0x55, 0x82, 0x00, 0x40, 0x28,
                                                     0x49, 0xBC, 0xBE, 0xAC, 0xDB, 0xFA,
                                                     0xA4, 0xA9, 0x6E, 0x46};

class IDeckLinkAudioInputPacket;
class IDeckLinkVideoBufferAllocatorProvider;

class IDeckLinkVideoInputFrame : public IDeckLinkVideoFrame {
 public:
  // Note the order: the time scale last here, first in the next.
  virtual HRESULT GetStreamTime(BMDTimeValue* frameTime, BMDTimeValue* frameDuration,
                                BMDTimeScale timeScale) = 0;  // slot 12
  virtual HRESULT GetHardwareReferenceTimestamp(BMDTimeScale timeScale,
                                                BMDTimeValue* frameTime,
                                                BMDTimeValue* frameDuration) = 0;  // slot 13

 protected:
  virtual ~IDeckLinkVideoInputFrame() {}
};

// Implemented by the program; the driver calls it on a thread of its own.
class IDeckLinkInputCallback : public IUnknown {
 public:
  virtual HRESULT VideoInputFormatChanged(BMDVideoInputFormatChangedEvents notificationEvents,
                                          IDeckLinkDisplayMode* newDisplayMode,
                                          BMDDetectedVideoInputFormatFlags detectedSignalFlags) = 0;
  // Either pointer may be null.
  virtual HRESULT VideoInputFrameArrived(IDeckLinkVideoInputFrame* videoFrame,
                                         IDeckLinkAudioInputPacket* audioPacket) = 0;  // 4

 protected:
  virtual ~IDeckLinkInputCallback() {}  // slots 5-6
};

class IDeckLinkInput : public IUnknown {
 public:
  virtual HRESULT DoesSupportVideoMode(BMDVideoConnection connection,
                                       BMDDisplayMode requestedMode,
                                       BMDPixelFormat requestedPixelFormat,
                                       BMDVideoInputConversionMode conversionMode,
                                       BMDSupportedVideoModeFlags flags,
                                       BMDDisplayMode* actualMode,
                                       bool* supported) = 0;  // slot 3
  virtual HRESULT GetDisplayMode(BMDDisplayMode displayMode,
                                 IDeckLinkDisplayMode** resultDisplayMode) = 0;  // 4
  virtual HRESULT GetDisplayModeIterator(IDeckLinkDisplayModeIterator** iterator) = 0;  // 5
  virtual HRESULT SetScreenPreviewCallback(
      IDeckLinkScreenPreviewCallback* previewCallback) = 0;  // slot 6
  virtual HRESULT EnableVideoInput(BMDDisplayMode displayMode, BMDPixelFormat pixelFormat,
                                   BMDVideoInputFlags flags) = 0;  // slot 7
  virtual HRESULT EnableVideoInputWithAllocatorProvider(
      BMDDisplayMode displayMode, BMDPixelFormat pixelFormat, BMDVideoInputFlags flags,
      IDeckLinkVideoBufferAllocatorProvider* allocatorProvider) = 0;  // slot 8
  virtual HRESULT DisableVideoInput() = 0;                               // slot 9
  virtual HRESULT GetAvailableVideoFrameCount(uint32_t* availableFrameCount) = 0;  // 10
  virtual HRESULT EnableAudioInput(BMDAudioSampleRate sampleRate, BMDAudioSampleType sampleType,
                                   uint32_t channelCount) = 0;  // slot 11
  virtual HRESULT DisableAudioInput() = 0;                      // slot 12
  virtual HRESULT GetAvailableAudioSampleFrameCount(uint32_t* availableSampleFrameCount) = 0;
  virtual HRESULT StartStreams() = 0;                                  // slot 14
  virtual HRESULT StopStreams() = 0;                                   // slot 15
  virtual HRESULT PauseStreams() = 0;                                  // slot 16
  virtual HRESULT FlushStreams() = 0;                                  // slot 17
  virtual HRESULT SetCallback(IDeckLinkInputCallback* theCallback) = 0;  // slot 18
  virtual HRESULT GetHardwareReferenceClock(BMDTimeScale desiredTimeScale,
                                            BMDTimeValue* hardwareTime,
                                            BMDTimeValue* timeInFrame,
                                            BMDTimeValue* ticksPerFrame) = 0;  // slot 19

 protected:
  virtual ~IDeckLinkInput() {}  // slots 20-21
};

class IDeckLinkStatus : public IUnknown {
 public:
  virtual HRESULT GetFlag(BMDDeckLinkStatusID statusID, bool* value) = 0;       // slot 3
  virtual HRESULT GetInt(BMDDeckLinkStatusID statusID, int64_t* value) = 0;     // slot 4
  virtual HRESULT GetFloat(BMDDeckLinkStatusID statusID, double* value) = 0;    // slot 5
  virtual HRESULT GetString(BMDDeckLinkStatusID statusID, DeckLinkString* value) = 0;  // 6
  virtual HRESULT GetBytes(BMDDeckLinkStatusID statusID, void* buffer,
                           uint32_t* bufferSize) = 0;  // slot 7
  // The 16.0 generation's own slots; never called, so that the older
  // generation's table (slots 3-7, then its destructors) reads the same.
  virtual HRESULT GetInterface(BMDDeckLinkStatusID statusID, void** value) = 0;  // slot 8
  virtual HRESULT GetFlagWithParam(BMDDeckLinkStatusID statusID, uint64_t param,
                                   bool* value) = 0;  // slot 9
  virtual HRESULT GetIntWithParam(BMDDeckLinkStatusID statusID, uint64_t param,
                                  int64_t* value) = 0;  // slot 10
  virtual HRESULT GetFloatWithParam(BMDDeckLinkStatusID statusID, uint64_t param,
                                    double* value) = 0;  // slot 11
  virtual HRESULT GetStringWithParam(BMDDeckLinkStatusID statusID, uint64_t param,
                                     DeckLinkString* value) = 0;  // slot 12
  virtual HRESULT GetBytesWithParam(BMDDeckLinkStatusID statusID, uint64_t param, void* buffer,
                                    uint32_t* bufferSize) = 0;  // slot 13

 protected:
  virtual ~IDeckLinkStatus() {}  // slots 14-15
};

#endif  // CORVANE_DECKLINK_DECKLINK_INPUT_API_H
