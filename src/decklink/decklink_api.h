// The DeckLink API interfaces, declared here from the binary facts of the
// Desktop Video 16.0 driver (vtable order, IIDs, constants, result codes).
//
// The program and the simulated card both use this one header, so the
// simulated card implements exactly the vtables the program calls. Every
// slot of every interface is declared in the driver's order, including the
// slots the program never calls, and including the protected virtual
// destructor pair where the driver's classes have one: leaving one out would
// shift every later slot and call the wrong method on a real card.
//
// Platform differences stay here and in the name conversion: on Linux the
// COM types are our own (the driver's LinuxCOM conventions) and strings are
// `const char*` that the caller frees; on macOS the types come from
// CoreFoundation's CFPlugInCOM.h and strings are CFStringRef.
#ifndef CORVANE_DECKLINK_DECKLINK_API_H
#define CORVANE_DECKLINK_DECKLINK_API_H

#include <cstdint>
#include <cstring>

#ifdef __APPLE__
#include <CoreFoundation/CFPlugInCOM.h>
typedef CFStringRef DeckLinkString;  // +1 reference, caller CFRelease()s
typedef CFUUIDBytes DeckLinkIID;
#else
typedef int HRESULT;
typedef unsigned long ULONG;  // 64-bit on LP64, as the driver declares it
typedef void* LPVOID;
// Sixteen bytes in the order of the IID's canonical string, passed by value
// (two integer registers on x86-64 and AArch64).
struct DeckLinkIID {
  unsigned char byte0, byte1, byte2, byte3, byte4, byte5, byte6, byte7;
  unsigned char byte8, byte9, byte10, byte11, byte12, byte13, byte14, byte15;
};
typedef DeckLinkIID REFIID;
typedef const char* DeckLinkString;  // malloc'd by the driver, caller free()s

class IUnknown {
 public:
  virtual HRESULT QueryInterface(REFIID iid, LPVOID* ppv) = 0;
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;
};
#endif

// Result codes (the same values on Linux and macOS).
constexpr HRESULT kS_OK = 0x00000000;
constexpr HRESULT kS_FALSE = 0x00000001;
constexpr HRESULT kE_NOTIMPL = static_cast<HRESULT>(0x80000001u);
constexpr HRESULT kE_OUTOFMEMORY = static_cast<HRESULT>(0x80000002u);
constexpr HRESULT kE_INVALIDARG = static_cast<HRESULT>(0x80000003u);
constexpr HRESULT kE_NOINTERFACE = static_cast<HRESULT>(0x80000004u);
constexpr HRESULT kE_POINTER = static_cast<HRESULT>(0x80000005u);
constexpr HRESULT kE_HANDLE = static_cast<HRESULT>(0x80000006u);
constexpr HRESULT kE_ABORT = static_cast<HRESULT>(0x80000007u);
constexpr HRESULT kE_FAIL = static_cast<HRESULT>(0x80000008u);
constexpr HRESULT kE_ACCESSDENIED = static_cast<HRESULT>(0x80000009u);
constexpr HRESULT kE_UNEXPECTED = static_cast<HRESULT>(0x8000FFFFu);

// Every result code above by its name: the one table of them, for the
// program's messages (hresultName, decklink/failure.h) and the simulated
// card's settings.
struct NamedResult {
  const char* name;
  HRESULT value;
};
constexpr NamedResult kNamedResults[] = {
    {"S_OK", kS_OK},
    {"S_FALSE", kS_FALSE},
    {"E_NOTIMPL", kE_NOTIMPL},
    {"E_OUTOFMEMORY", kE_OUTOFMEMORY},
    {"E_INVALIDARG", kE_INVALIDARG},
    {"E_NOINTERFACE", kE_NOINTERFACE},
    {"E_POINTER", kE_POINTER},
    {"E_HANDLE", kE_HANDLE},
    {"E_ABORT", kE_ABORT},
    {"E_FAIL", kE_FAIL},
    {"E_ACCESSDENIED", kE_ACCESSDENIED},
    {"E_UNEXPECTED", kE_UNEXPECTED},
};

// Every BMD enumeration is a 32-bit unsigned value in the driver's headers.
typedef uint32_t BMDDisplayMode;
typedef uint32_t BMDPixelFormat;
typedef uint32_t BMDVideoConnection;
typedef uint32_t BMDVideoOutputConversionMode;
typedef uint32_t BMDSupportedVideoModeFlags;
typedef uint32_t BMDVideoOutputFlags;
typedef uint32_t BMDFrameFlags;
typedef uint32_t BMDBufferAccessFlags;
typedef uint32_t BMDDeckLinkConfigurationID;
typedef uint32_t BMDTimecodeFormat;
typedef uint32_t BMDTimecodeFlags;
typedef uint32_t BMDTimecodeUserBits;
typedef uint32_t BMDAudioSampleRate;
typedef uint32_t BMDAudioSampleType;
typedef uint32_t BMDAudioOutputStreamType;
typedef uint32_t BMDReferenceStatus;
typedef uint32_t BMDDeckLinkAttributeID;
typedef uint32_t BMDDeckLinkFrameMetadataID;
typedef uint32_t BMDColorspace;
typedef uint32_t BMDDeckLinkAPIInformationID;
typedef int64_t BMDTimeValue;
typedef int64_t BMDTimeScale;

constexpr uint32_t fourCC(const char (&s)[5]) {
  return (uint32_t(uint8_t(s[0])) << 24) | (uint32_t(uint8_t(s[1])) << 16) |
         (uint32_t(uint8_t(s[2])) << 8) | uint32_t(uint8_t(s[3]));
}

constexpr BMDPixelFormat bmdFormat10BitRGB = fourCC("r210");
constexpr BMDVideoOutputConversionMode bmdNoVideoOutputConversion = fourCC("none");
constexpr BMDDeckLinkConfigurationID bmdDeckLinkConfig444SDIVideoOutput = fourCC("444o");
// The progressive modes at 1920x1080, 3840x2160 and 4096x2160 (DCI).
constexpr BMDDisplayMode bmdModeHD1080p2398 = fourCC("23ps");
constexpr BMDDisplayMode bmdModeHD1080p24 = fourCC("24ps");
constexpr BMDDisplayMode bmdModeHD1080p25 = fourCC("Hp25");
constexpr BMDDisplayMode bmdModeHD1080p2997 = fourCC("Hp29");
constexpr BMDDisplayMode bmdModeHD1080p30 = fourCC("Hp30");
constexpr BMDDisplayMode bmdModeHD1080p50 = fourCC("Hp50");
constexpr BMDDisplayMode bmdModeHD1080p5994 = fourCC("Hp59");
constexpr BMDDisplayMode bmdModeHD1080p6000 = fourCC("Hp60");
constexpr BMDDisplayMode bmdMode4K2160p2398 = fourCC("4k23");
constexpr BMDDisplayMode bmdMode4K2160p24 = fourCC("4k24");
constexpr BMDDisplayMode bmdMode4K2160p25 = fourCC("4k25");
constexpr BMDDisplayMode bmdMode4K2160p2997 = fourCC("4k29");
constexpr BMDDisplayMode bmdMode4K2160p30 = fourCC("4k30");
constexpr BMDDisplayMode bmdMode4K2160p50 = fourCC("4k50");
constexpr BMDDisplayMode bmdMode4K2160p5994 = fourCC("4k59");
constexpr BMDDisplayMode bmdMode4K2160p60 = fourCC("4k60");
constexpr BMDDisplayMode bmdMode4kDCI2398 = fourCC("4d23");
constexpr BMDDisplayMode bmdMode4kDCI24 = fourCC("4d24");
constexpr BMDDisplayMode bmdMode4kDCI25 = fourCC("4d25");
constexpr BMDDisplayMode bmdMode4kDCI2997 = fourCC("4d29");
constexpr BMDDisplayMode bmdMode4kDCI30 = fourCC("4d30");
constexpr BMDDisplayMode bmdMode4kDCI50 = fourCC("4d50");
constexpr BMDDisplayMode bmdMode4kDCI5994 = fourCC("4d59");
constexpr BMDDisplayMode bmdMode4kDCI60 = fourCC("4d60");
constexpr BMDVideoConnection bmdVideoConnectionUnspecified = 0;
constexpr BMDSupportedVideoModeFlags bmdSupportedVideoModeDefault = 0;
constexpr BMDVideoOutputFlags bmdVideoOutputFlagDefault = 0;
constexpr BMDFrameFlags bmdFrameFlagDefault = 0;
// The frame carries HDR metadata (its metadata extensions below); the
// driver reads the metadata only from a frame with this flag.
constexpr BMDFrameFlags bmdFrameContainsHDRMetadata = 0x2;
constexpr BMDBufferAccessFlags bmdBufferAccessRead = 1;
constexpr BMDBufferAccessFlags bmdBufferAccessWrite = 2;
constexpr BMDBufferAccessFlags bmdBufferAccessReadAndWrite = 3;

// What a card can carry, asked through IDeckLinkProfileAttributes.
constexpr BMDDeckLinkAttributeID BMDDeckLinkSupportsHDRMetadata = fourCC("hdrm");        // flag
constexpr BMDDeckLinkAttributeID BMDDeckLinkSupportsColorspaceMetadata = fourCC("cmet");  // flag
constexpr BMDDeckLinkAttributeID BMDDeckLinkSupportedDynamicRange = fourCC("sudr");       // int
// Bits of the SupportedDynamicRange answer.
constexpr int64_t bmdDynamicRangeHDRStaticPQ = 0x20000000;
constexpr int64_t bmdDynamicRangeHDRStaticHLG = 0x40000000;

// A frame's metadata (IDeckLinkVideoFrameMutableMetadataExtensions). The
// first two are integers, the rest floating point.
constexpr BMDDeckLinkFrameMetadataID bmdDeckLinkFrameMetadataColorspace = fourCC("cspc");
constexpr BMDDeckLinkFrameMetadataID bmdDeckLinkFrameMetadataHDRElectroOpticalTransferFunc =
    fourCC("eotf");
constexpr BMDDeckLinkFrameMetadataID bmdDeckLinkFrameMetadataHDRDisplayPrimariesRedX =
    fourCC("hdrx");
constexpr BMDDeckLinkFrameMetadataID bmdDeckLinkFrameMetadataHDRDisplayPrimariesRedY =
    fourCC("hdry");
constexpr BMDDeckLinkFrameMetadataID bmdDeckLinkFrameMetadataHDRDisplayPrimariesGreenX =
    fourCC("hdgx");
constexpr BMDDeckLinkFrameMetadataID bmdDeckLinkFrameMetadataHDRDisplayPrimariesGreenY =
    fourCC("hdgy");
constexpr BMDDeckLinkFrameMetadataID bmdDeckLinkFrameMetadataHDRDisplayPrimariesBlueX =
    fourCC("hdbx");
constexpr BMDDeckLinkFrameMetadataID bmdDeckLinkFrameMetadataHDRDisplayPrimariesBlueY =
    fourCC("hdby");
constexpr BMDDeckLinkFrameMetadataID bmdDeckLinkFrameMetadataHDRWhitePointX = fourCC("hdwx");
constexpr BMDDeckLinkFrameMetadataID bmdDeckLinkFrameMetadataHDRWhitePointY = fourCC("hdwy");
constexpr BMDDeckLinkFrameMetadataID bmdDeckLinkFrameMetadataHDRMaxDisplayMasteringLuminance =
    fourCC("hdml");
constexpr BMDDeckLinkFrameMetadataID bmdDeckLinkFrameMetadataHDRMinDisplayMasteringLuminance =
    fourCC("hmil");
constexpr BMDDeckLinkFrameMetadataID bmdDeckLinkFrameMetadataHDRMaximumContentLightLevel =
    fourCC("mcll");
constexpr BMDDeckLinkFrameMetadataID bmdDeckLinkFrameMetadataHDRMaximumFrameAverageLightLevel =
    fourCC("fall");

// What the driver says of itself (IDeckLinkAPIInformation): its version as
// an integer, 0xMMmmpp00 for version MM.mm.pp.
constexpr BMDDeckLinkAPIInformationID BMDDeckLinkAPIVersion = fourCC("vers");

// Values of the EOTF metadata (the CTA-861.3 codes) and of the colour space.
constexpr int64_t kEotfSdr = 0;
constexpr int64_t kEotfPq = 2;
constexpr int64_t kEotfHlg = 3;
constexpr BMDColorspace bmdColorspaceRec601 = fourCC("r601");
constexpr BMDColorspace bmdColorspaceRec709 = fourCC("r709");
constexpr BMDColorspace bmdColorspaceRec2020 = fourCC("2020");

// Interface IDs of the 16.0 generation. IDeckLinkOutput, IDeckLinkConfiguration
// and IDeckLinkVideoBuffer changed IID in 16.0; an older driver answers
// E_NOINTERFACE for these three.
constexpr DeckLinkIID IID_IUnknown = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                                      0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
constexpr DeckLinkIID IID_IDeckLinkIterator = {0x50, 0xFB, 0x36, 0xCD, 0x30, 0x63, 0x4B, 0x73,
                                               0xBD, 0xBB, 0x95, 0x80, 0x87, 0xF2, 0xD8, 0xBA};
constexpr DeckLinkIID IID_IDeckLink = {0xC4, 0x18, 0xFB, 0xDD, 0x05, 0x87, 0x48, 0xED,
                                       0x8F, 0xE5, 0x64, 0x0F, 0x0A, 0x14, 0xAF, 0x91};
constexpr DeckLinkIID IID_IDeckLinkOutput = {0x5F, 0x22, 0x7C, 0x95, 0x39, 0xD7, 0x46, 0xC7,
                                             0x8B, 0x7D, 0x9C, 0x81, 0x79, 0x5F, 0xBB, 0xE4};
constexpr DeckLinkIID IID_IDeckLinkConfiguration = {0x5A, 0x68, 0xFF, 0xD4, 0x1C, 0x12,
                                                    0x4E, 0xDE, 0xA6, 0xD2, 0x45, 0x45,
                                                    0x1D, 0x38, 0x5F, 0xC1};
constexpr DeckLinkIID IID_IDeckLinkVideoFrame = {0x65, 0x02, 0x09, 0x1C, 0x61, 0x5F, 0x4F, 0x51,
                                                 0xBA, 0xF6, 0x45, 0xC4, 0x25, 0x6D, 0xD5, 0xB0};
constexpr DeckLinkIID IID_IDeckLinkMutableVideoFrame = {0xCF, 0x9E, 0xB1, 0x34, 0x03, 0x74,
                                                        0x4C, 0x5B, 0x95, 0xFA, 0x1E, 0xC1,
                                                        0x48, 0x19, 0xFF, 0x62};
constexpr DeckLinkIID IID_IDeckLinkVideoBuffer = {0x81, 0xF0, 0x3D, 0x70, 0xDE, 0x13, 0x4B, 0x17,
                                                  0x87, 0x3A, 0xC8, 0xAC, 0x96, 0x89, 0xC6, 0x82};
// IDeckLinkProfileAttributes changed IID in 16.0 too; the frame metadata
// interfaces did not.
constexpr DeckLinkIID IID_IDeckLinkProfileAttributes = {0xF4, 0x75, 0x51, 0xD7, 0xAD, 0x22,
                                                        0x47, 0xAF, 0xBC, 0xFD, 0x6B, 0xE8,
                                                        0x8A, 0xA8, 0x79, 0xD9};
constexpr DeckLinkIID IID_IDeckLinkVideoFrameMetadataExtensions = {
    0xE2, 0x32, 0xA5, 0xB7, 0x4D, 0xB4, 0x44, 0xC9, 0x91, 0x52, 0xF4, 0x7C, 0x12, 0xE5, 0xF0, 0x51};
constexpr DeckLinkIID IID_IDeckLinkVideoFrameMutableMetadataExtensions = {
    0xCC, 0x19, 0x8F, 0xC6, 0x82, 0x98, 0x44, 0x19, 0x94, 0x2D, 0x83, 0x57, 0xEC, 0x35, 0x5E, 0x58};
// The same IID from 11.x to 16.0.
constexpr DeckLinkIID IID_IDeckLinkAPIInformation = {
    0x7B, 0xEA, 0x3C, 0x68, 0x73, 0x0D, 0x43, 0x22, 0xAF, 0x34, 0x8A, 0x71, 0x52, 0xB5, 0x32, 0xA4};

// True when the two IIDs hold the same sixteen bytes.
inline bool sameIID(const DeckLinkIID& a, const DeckLinkIID& b) {
  return std::memcmp(&a, &b, sizeof(DeckLinkIID)) == 0;
}

// Interfaces that appear only as parameter types of slots the program never
// calls; they stay incomplete.
class IDeckLinkDisplayMode;
class IDeckLinkDisplayModeIterator;
class IDeckLinkScreenPreviewCallback;
class IDeckLinkVideoFrameAncillary;
class IDeckLinkVideoOutputCallback;
class IDeckLinkAudioOutputCallback;
class IDeckLinkTimecode;
class IDeckLink;

// No destructor in the driver's declaration, so no destructor slots.
class IDeckLinkIterator : public IUnknown {
 public:
  virtual HRESULT Next(IDeckLink** deckLinkInstance) = 0;  // slot 3
};

class IDeckLink : public IUnknown {
 public:
  virtual HRESULT GetModelName(DeckLinkString* modelName) = 0;      // slot 3
  virtual HRESULT GetDisplayName(DeckLinkString* displayName) = 0;  // slot 4

 protected:
  virtual ~IDeckLink() {}  // slots 5-6
};

class IDeckLinkVideoBuffer : public IUnknown {
 public:
  virtual HRESULT GetBytes(void** buffer) = 0;                    // slot 3
  virtual HRESULT GetSize(uint64_t* bufferSize) = 0;              // slot 4
  virtual HRESULT StartAccess(BMDBufferAccessFlags flags) = 0;    // slot 5
  virtual HRESULT EndAccess(BMDBufferAccessFlags flags) = 0;      // slot 6

 protected:
  virtual ~IDeckLinkVideoBuffer() {}  // slots 7-8
};

class IDeckLinkVideoFrame : public IUnknown {
 public:
  virtual long GetWidth() = 0;                                      // slot 3
  virtual long GetHeight() = 0;                                     // slot 4
  virtual long GetRowBytes() = 0;                                   // slot 5
  virtual BMDPixelFormat GetPixelFormat() = 0;                      // slot 6
  virtual BMDFrameFlags GetFlags() = 0;                             // slot 7
  virtual HRESULT GetTimecode(BMDTimecodeFormat format,
                              IDeckLinkTimecode** timecode) = 0;    // slot 8
  virtual HRESULT GetAncillaryData(IDeckLinkVideoFrameAncillary** ancillary) = 0;  // 9

 protected:
  virtual ~IDeckLinkVideoFrame() {}  // slots 10-11
};

// Its own methods start at slot 12, after the base's destructor pair.
class IDeckLinkMutableVideoFrame : public IDeckLinkVideoFrame {
 public:
  virtual HRESULT SetFlags(BMDFrameFlags newFlags) = 0;  // slot 12
  virtual HRESULT SetTimecode(BMDTimecodeFormat format,
                              IDeckLinkTimecode* timecode) = 0;  // slot 13
  virtual HRESULT SetTimecodeFromComponents(BMDTimecodeFormat format, uint8_t hours,
                                            uint8_t minutes, uint8_t seconds,
                                            uint8_t frames,
                                            BMDTimecodeFlags flags) = 0;  // slot 14
  virtual HRESULT SetAncillaryData(IDeckLinkVideoFrameAncillary* ancillary) = 0;  // 15
  virtual HRESULT SetTimecodeUserBits(BMDTimecodeFormat format,
                                      BMDTimecodeUserBits userBits) = 0;  // slot 16
  virtual HRESULT SetInterfaceProvider(REFIID iid, IUnknown* iface) = 0;  // slot 17

 protected:
  virtual ~IDeckLinkMutableVideoFrame() {}
};

class IDeckLinkOutput : public IUnknown {
 public:
  virtual HRESULT DoesSupportVideoMode(BMDVideoConnection connection,
                                       BMDDisplayMode requestedMode,
                                       BMDPixelFormat requestedPixelFormat,
                                       BMDVideoOutputConversionMode conversionMode,
                                       BMDSupportedVideoModeFlags flags,
                                       BMDDisplayMode* actualMode,
                                       bool* supported) = 0;  // slot 3
  virtual HRESULT GetDisplayMode(BMDDisplayMode displayMode,
                                 IDeckLinkDisplayMode** resultDisplayMode) = 0;  // 4
  virtual HRESULT GetDisplayModeIterator(IDeckLinkDisplayModeIterator** iterator) = 0;  // 5
  virtual HRESULT SetScreenPreviewCallback(
      IDeckLinkScreenPreviewCallback* previewCallback) = 0;  // slot 6
  virtual HRESULT EnableVideoOutput(BMDDisplayMode displayMode,
                                    BMDVideoOutputFlags flags) = 0;  // slot 7
  virtual HRESULT DisableVideoOutput() = 0;                          // slot 8
  virtual HRESULT CreateVideoFrame(int32_t width, int32_t height, int32_t rowBytes,
                                   BMDPixelFormat pixelFormat, BMDFrameFlags flags,
                                   IDeckLinkMutableVideoFrame** outFrame) = 0;  // slot 9
  virtual HRESULT CreateVideoFrameWithBuffer(int32_t width, int32_t height,
                                             int32_t rowBytes, BMDPixelFormat pixelFormat,
                                             BMDFrameFlags flags,
                                             IDeckLinkVideoBuffer* buffer,
                                             IDeckLinkMutableVideoFrame** outFrame) = 0;  // 10
  virtual HRESULT RowBytesForPixelFormat(BMDPixelFormat pixelFormat, int32_t width,
                                         int32_t* rowBytes) = 0;  // slot 11
  virtual HRESULT CreateAncillaryData(BMDPixelFormat pixelFormat,
                                      IDeckLinkVideoFrameAncillary** outBuffer) = 0;  // 12
  virtual HRESULT DisplayVideoFrameSync(IDeckLinkVideoFrame* theFrame) = 0;  // slot 13
  virtual HRESULT ScheduleVideoFrame(IDeckLinkVideoFrame* theFrame,
                                     BMDTimeValue displayTime,
                                     BMDTimeValue displayDuration,
                                     BMDTimeScale timeScale) = 0;  // slot 14
  virtual HRESULT SetScheduledFrameCompletionCallback(
      IDeckLinkVideoOutputCallback* theCallback) = 0;  // slot 15
  virtual HRESULT GetBufferedVideoFrameCount(uint32_t* bufferedFrameCount) = 0;  // 16
  virtual HRESULT EnableAudioOutput(BMDAudioSampleRate sampleRate,
                                    BMDAudioSampleType sampleType, uint32_t channelCount,
                                    BMDAudioOutputStreamType streamType) = 0;  // slot 17
  virtual HRESULT DisableAudioOutput() = 0;                                    // slot 18
  virtual HRESULT WriteAudioSamplesSync(void* buffer, uint32_t sampleFrameCount,
                                        uint32_t* sampleFramesWritten) = 0;  // slot 19
  virtual HRESULT BeginAudioPreroll() = 0;                                   // slot 20
  virtual HRESULT EndAudioPreroll() = 0;                                     // slot 21
  virtual HRESULT ScheduleAudioSamples(void* buffer, uint32_t sampleFrameCount,
                                       BMDTimeValue streamTime, BMDTimeScale timeScale,
                                       uint32_t* sampleFramesWritten) = 0;  // slot 22
  virtual HRESULT GetBufferedAudioSampleFrameCount(
      uint32_t* bufferedSampleFrameCount) = 0;                     // slot 23
  virtual HRESULT FlushBufferedAudioSamples() = 0;                 // slot 24
  virtual HRESULT SetAudioCallback(IDeckLinkAudioOutputCallback* theCallback) = 0;  // 25
  virtual HRESULT StartScheduledPlayback(BMDTimeValue playbackStartTime,
                                         BMDTimeScale timeScale,
                                         double playbackSpeed) = 0;  // slot 26
  virtual HRESULT StopScheduledPlayback(BMDTimeValue stopPlaybackAtTime,
                                        BMDTimeValue* actualStopTime,
                                        BMDTimeScale timeScale) = 0;  // slot 27
  virtual HRESULT IsScheduledPlaybackRunning(bool* active) = 0;     // slot 28
  virtual HRESULT GetScheduledStreamTime(BMDTimeScale desiredTimeScale,
                                         BMDTimeValue* streamTime,
                                         double* playbackSpeed) = 0;  // slot 29
  virtual HRESULT GetReferenceStatus(BMDReferenceStatus* referenceStatus) = 0;  // 30
  virtual HRESULT GetHardwareReferenceClock(BMDTimeScale desiredTimeScale,
                                            BMDTimeValue* hardwareTime,
                                            BMDTimeValue* timeInFrame,
                                            BMDTimeValue* ticksPerFrame) = 0;  // slot 31
  virtual HRESULT GetFrameCompletionReferenceTimestamp(
      IDeckLinkVideoFrame* theFrame, BMDTimeScale desiredTimeScale,
      BMDTimeValue* frameCompletionTimestamp) = 0;  // slot 32

 protected:
  virtual ~IDeckLinkOutput() {}  // slots 33-34
};

class IDeckLinkConfiguration : public IUnknown {
 public:
  virtual HRESULT SetFlag(BMDDeckLinkConfigurationID cfgID, bool value) = 0;      // 3
  virtual HRESULT GetFlag(BMDDeckLinkConfigurationID cfgID, bool* value) = 0;     // 4
  virtual HRESULT SetInt(BMDDeckLinkConfigurationID cfgID, int64_t value) = 0;    // 5
  virtual HRESULT GetInt(BMDDeckLinkConfigurationID cfgID, int64_t* value) = 0;   // 6
  virtual HRESULT SetFloat(BMDDeckLinkConfigurationID cfgID, double value) = 0;   // 7
  virtual HRESULT GetFloat(BMDDeckLinkConfigurationID cfgID, double* value) = 0;  // 8
  virtual HRESULT SetString(BMDDeckLinkConfigurationID cfgID,
                            DeckLinkString value) = 0;  // slot 9
  virtual HRESULT GetString(BMDDeckLinkConfigurationID cfgID,
                            DeckLinkString* value) = 0;  // slot 10
  virtual HRESULT SetFlagWithParam(BMDDeckLinkConfigurationID cfgID, uint64_t param,
                                   bool value) = 0;  // slot 11
  virtual HRESULT GetFlagWithParam(BMDDeckLinkConfigurationID cfgID, uint64_t param,
                                   bool* value) = 0;  // slot 12
  virtual HRESULT SetIntWithParam(BMDDeckLinkConfigurationID cfgID, uint64_t param,
                                  int64_t value) = 0;  // slot 13
  virtual HRESULT GetIntWithParam(BMDDeckLinkConfigurationID cfgID, uint64_t param,
                                  int64_t* value) = 0;  // slot 14
  virtual HRESULT SetFloatWithParam(BMDDeckLinkConfigurationID cfgID, uint64_t param,
                                    double value) = 0;  // slot 15
  virtual HRESULT GetFloatWithParam(BMDDeckLinkConfigurationID cfgID, uint64_t param,
                                    double* value) = 0;  // slot 16
  virtual HRESULT SetStringWithParam(BMDDeckLinkConfigurationID cfgID, uint64_t param,
                                     DeckLinkString value) = 0;  // slot 17
  virtual HRESULT GetStringWithParam(BMDDeckLinkConfigurationID cfgID, uint64_t param,
                                     DeckLinkString* value) = 0;  // slot 18
  virtual HRESULT WriteConfigurationToPreferences() = 0;         // slot 19

 protected:
  virtual ~IDeckLinkConfiguration() {}  // slots 20-21
};

// What the card can do, asked before using a feature (HDR metadata here).
class IDeckLinkProfileAttributes : public IUnknown {
 public:
  virtual HRESULT GetFlag(BMDDeckLinkAttributeID cfgID, bool* value) = 0;       // slot 3
  virtual HRESULT GetInt(BMDDeckLinkAttributeID cfgID, int64_t* value) = 0;     // slot 4
  virtual HRESULT GetFloat(BMDDeckLinkAttributeID cfgID, double* value) = 0;    // slot 5
  virtual HRESULT GetString(BMDDeckLinkAttributeID cfgID, DeckLinkString* value) = 0;  // 6
  virtual HRESULT GetStringWithParam(BMDDeckLinkAttributeID cfgID, uint64_t param,
                                     DeckLinkString* value) = 0;  // slot 7 (16.0 generation)

 protected:
  virtual ~IDeckLinkProfileAttributes() {}  // slots 8-9
};

// A frame's metadata, read side.
class IDeckLinkVideoFrameMetadataExtensions : public IUnknown {
 public:
  virtual HRESULT GetInt(BMDDeckLinkFrameMetadataID metadataID, int64_t* value) = 0;   // 3
  virtual HRESULT GetFloat(BMDDeckLinkFrameMetadataID metadataID, double* value) = 0;  // 4
  virtual HRESULT GetFlag(BMDDeckLinkFrameMetadataID metadataID, bool* value) = 0;     // 5
  virtual HRESULT GetString(BMDDeckLinkFrameMetadataID metadataID,
                            DeckLinkString* value) = 0;  // slot 6
  virtual HRESULT GetBytes(BMDDeckLinkFrameMetadataID metadataID, void* buffer,
                           uint32_t* bufferSize) = 0;  // slot 7

 protected:
  virtual ~IDeckLinkVideoFrameMetadataExtensions() {}  // slots 8-9
};

// The write side, obtained from a frame of CreateVideoFrame. Its own
// methods start at slot 10, after the base's destructor pair.
class IDeckLinkVideoFrameMutableMetadataExtensions
    : public IDeckLinkVideoFrameMetadataExtensions {
 public:
  virtual HRESULT SetInt(BMDDeckLinkFrameMetadataID metadataID, int64_t value) = 0;   // 10
  virtual HRESULT SetFloat(BMDDeckLinkFrameMetadataID metadataID, double value) = 0;  // 11
  virtual HRESULT SetFlag(BMDDeckLinkFrameMetadataID metadataID, bool value) = 0;     // 12
  virtual HRESULT SetString(BMDDeckLinkFrameMetadataID metadataID,
                            DeckLinkString value) = 0;  // slot 13
  virtual HRESULT SetBytes(BMDDeckLinkFrameMetadataID metadataID, void* buffer,
                           uint32_t bufferSize) = 0;  // slot 14

 protected:
  virtual ~IDeckLinkVideoFrameMutableMetadataExtensions() {}
};

// The driver's own facts, from its factory CreateDeckLinkAPIInformationInstance
// (decklink/loader.h); the program asks for its version only.
class IDeckLinkAPIInformation : public IUnknown {
 public:
  virtual HRESULT GetFlag(BMDDeckLinkAPIInformationID id, bool* value) = 0;              // slot 3
  virtual HRESULT GetInt(BMDDeckLinkAPIInformationID id, int64_t* value) = 0;            // slot 4
  virtual HRESULT GetFloat(BMDDeckLinkAPIInformationID id, double* value) = 0;           // slot 5
  virtual HRESULT GetString(BMDDeckLinkAPIInformationID id, DeckLinkString* value) = 0;  // 6

 protected:
  virtual ~IDeckLinkAPIInformation() {}  // slots 7-8
};

#endif  // CORVANE_DECKLINK_DECKLINK_API_H
