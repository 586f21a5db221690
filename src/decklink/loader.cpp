#include "decklink/loader.h"

#include <pthread.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>

#ifdef __APPLE__
#include <CoreFoundation/CoreFoundation.h>
typedef CFBundleRef LibraryRef;
#else
#include <dlfcn.h>
typedef void* LibraryRef;
#endif

namespace {

// One entry point of a library: its versioned name and where its address is
// kept. The address stays null when the library lacks the name.
struct EntryPoint {
  const char* name;
  void** address;
};

// Each loader runs once per process, at the first call of one of its
// factories; its outcome is final. pthread_once also makes the stores below
// visible to every caller, so the factories read them without a lock.
pthread_once_t gDeckLinkOnceControl = PTHREAD_ONCE_INIT;
pthread_once_t gBMDStreamingOnceControl = PTHREAD_ONCE_INIT;

// Never released: the library stays loaded for the life of the process.
LibraryRef gDeckLinkAPIBundleRef = nullptr;
LibraryRef gBMDStreamingAPIBundleRef = nullptr;

// What the system's loader said when the DeckLink library did not load.
char gDeckLinkLoadError[512] = "";

void* gCreateIteratorFunc = nullptr;
void* gCreateAPIInformationFunc = nullptr;
void* gCreateOpenGLPreviewFunc = nullptr;
void* gCreateOpenGL3PreviewFunc = nullptr;
void* gCreateMetalPreviewFunc = nullptr;
void* gCreateCocoaPreviewFunc = nullptr;
void* gCreateVideoConversionFunc = nullptr;
void* gCreateDeckLinkDiscoveryFunc = nullptr;
void* gCreateVideoFrameAncillaryPacketsFunc = nullptr;
void* gCreateDiscoveryFunc = nullptr;
void* gCreateNALParserFunc = nullptr;

// In the order the loaders look them up.
const EntryPoint kDeckLinkEntryPoints[] = {
    {"CreateDeckLinkIteratorInstance_0004", &gCreateIteratorFunc},
    {"CreateDeckLinkAPIInformationInstance_0001", &gCreateAPIInformationFunc},
    {"CreateOpenGLScreenPreviewHelper_0002", &gCreateOpenGLPreviewFunc},
    {"CreateOpenGL3ScreenPreviewHelper_0002", &gCreateOpenGL3PreviewFunc},
    {"CreateMetalScreenPreviewHelper_0002", &gCreateMetalPreviewFunc},
    {"CreateCocoaScreenPreview_0002", &gCreateCocoaPreviewFunc},
    {"CreateVideoConversionInstance_0003", &gCreateVideoConversionFunc},
    {"CreateDeckLinkDiscoveryInstance_0003", &gCreateDeckLinkDiscoveryFunc},
    {"CreateVideoFrameAncillaryPacketsInstance_0002",
     &gCreateVideoFrameAncillaryPacketsFunc},
};
const EntryPoint kStreamingEntryPoints[] = {
    {"CreateBMDStreamingDiscoveryInstance_0002", &gCreateDiscoveryFunc},
    {"CreateBMDStreamingH264NALParser_0001", &gCreateNALParserFunc},
};

#ifdef __APPLE__

const char kDeckLinkAPIPath[] = "/Library/Frameworks/DeckLinkAPI.framework";
const char kStreamingAPIPath[] =
    "/Library/Application Support/Blackmagic Design/Streaming/BMDStreamingAPI.bundle";

// Creates the bundle (stored before any name is looked up, null included),
// then looks up each entry point in table order; looking a name up loads
// the bundle's code. The bundle is never released: it stays for the life
// of the process. A folder that holds no library still makes a bundle, so
// IsDeckLinkAPIPresent says true for it while every factory returns null,
// which the callers report as a missing API all the same.
template <size_t N>
void loadLibrary(const char* path, LibraryRef* bundle, const EntryPoint (&entries)[N]) {
  CFStringRef pathString =
      CFStringCreateWithCString(kCFAllocatorDefault, path, kCFStringEncodingUTF8);
  if (pathString == nullptr) return;
  CFURLRef url = CFURLCreateWithFileSystemPath(kCFAllocatorDefault, pathString,
                                               kCFURLPOSIXPathStyle, true);
  CFRelease(pathString);
  if (url == nullptr) return;
  *bundle = CFBundleCreate(kCFAllocatorDefault, url);
  if (*bundle != nullptr) {
    for (const EntryPoint& entry : entries) {
      CFStringRef name =
          CFStringCreateWithCString(kCFAllocatorDefault, entry.name, kCFStringEncodingUTF8);
      if (name == nullptr) continue;
      *entry.address = CFBundleGetFunctionPointerForName(*bundle, name);
      CFRelease(name);
    }
  }
  CFRelease(url);
}

void keepLoadError() {
  std::snprintf(gDeckLinkLoadError, sizeof gDeckLinkLoadError, "cannot open the bundle");
}

#else

// The driver installs its API as a shared library; opening it by bare name
// lets the normal library search (and LD_LIBRARY_PATH) find it.
const char kDeckLinkAPIPath[] = "libDeckLinkAPI.so";
// No Linux driver installs a streaming library of its own; if one ever
// appears under this name it is used, otherwise its factories return null.
const char kStreamingAPIPath[] = "libBMDStreamingAPI.so";

template <size_t N>
void loadLibrary(const char* path, LibraryRef* library, const EntryPoint (&entries)[N]) {
  *library = dlopen(path, RTLD_NOW | RTLD_GLOBAL);
  if (*library == nullptr) return;
  dlerror();
  for (const EntryPoint& entry : entries) *entry.address = dlsym(*library, entry.name);
}

void keepLoadError() {
  const char* said = dlerror();
  std::snprintf(gDeckLinkLoadError, sizeof gDeckLinkLoadError, "%s",
                said != nullptr ? said : "cannot be loaded");
}

#endif

// CORVANE_DECKLINK_API names a DeckLink API to load instead of the installed
// driver: a library's path on Linux, a framework bundle's on macOS (the
// simulated card, for tests and host developers). When it is set and not
// empty it alone is tried, so a missing or wrong file reads as no API.
const char* deckLinkAPIPath() {
  const char* chosen = std::getenv("CORVANE_DECKLINK_API");
  return chosen != nullptr && chosen[0] != '\0' ? chosen : kDeckLinkAPIPath;
}

void InitDeckLinkAPI() {
  loadLibrary(deckLinkAPIPath(), &gDeckLinkAPIBundleRef, kDeckLinkEntryPoints);
  if (gDeckLinkAPIBundleRef == nullptr) keepLoadError();
}

void InitBMDStreamingAPI() {
  loadLibrary(kStreamingAPIPath, &gBMDStreamingAPIBundleRef, kStreamingEntryPoints);
}

// Loads the DeckLink library on first use and calls the entry point kept
// in `address` with `args`, or returns null when there is none.
template <typename Result, typename... Args>
Result* callDeckLink(void* const* address, Args... args) {
  pthread_once(&gDeckLinkOnceControl, InitDeckLinkAPI);
  if (*address == nullptr) return nullptr;
  return reinterpret_cast<Result* (*)(Args...)>(*address)(args...);
}

template <typename Result>
Result* callStreaming(void* const* address) {
  pthread_once(&gBMDStreamingOnceControl, InitBMDStreamingAPI);
  if (*address == nullptr) return nullptr;
  return reinterpret_cast<Result* (*)()>(*address)();
}

}  // namespace

IDeckLinkIterator* CreateDeckLinkIteratorInstance() {
  return callDeckLink<IDeckLinkIterator>(&gCreateIteratorFunc);
}

IDeckLinkAPIInformation* CreateDeckLinkAPIInformationInstance() {
  return callDeckLink<IDeckLinkAPIInformation>(&gCreateAPIInformationFunc);
}

IDeckLinkGLScreenPreviewHelper* CreateOpenGLScreenPreviewHelper() {
  return callDeckLink<IDeckLinkGLScreenPreviewHelper>(&gCreateOpenGLPreviewFunc);
}

IDeckLinkGLScreenPreviewHelper* CreateOpenGL3ScreenPreviewHelper() {
  return callDeckLink<IDeckLinkGLScreenPreviewHelper>(&gCreateOpenGL3PreviewFunc);
}

IDeckLinkMetalScreenPreviewHelper* CreateMetalScreenPreviewHelper() {
  return callDeckLink<IDeckLinkMetalScreenPreviewHelper>(&gCreateMetalPreviewFunc);
}

IDeckLinkCocoaScreenPreviewCallback* CreateCocoaScreenPreview(void* parentView) {
  return callDeckLink<IDeckLinkCocoaScreenPreviewCallback>(&gCreateCocoaPreviewFunc,
                                                           parentView);
}

IDeckLinkVideoConversion* CreateVideoConversionInstance() {
  return callDeckLink<IDeckLinkVideoConversion>(&gCreateVideoConversionFunc);
}

IDeckLinkDiscovery* CreateDeckLinkDiscoveryInstance() {
  return callDeckLink<IDeckLinkDiscovery>(&gCreateDeckLinkDiscoveryFunc);
}

IDeckLinkVideoFrameAncillaryPackets* CreateVideoFrameAncillaryPacketsInstance() {
  return callDeckLink<IDeckLinkVideoFrameAncillaryPackets>(
      &gCreateVideoFrameAncillaryPacketsFunc);
}

IBMDStreamingDiscovery* CreateBMDStreamingDiscoveryInstance() {
  return callStreaming<IBMDStreamingDiscovery>(&gCreateDiscoveryFunc);
}

IBMDStreamingH264NALParser* CreateBMDStreamingH264NALParser() {
  return callStreaming<IBMDStreamingH264NALParser>(&gCreateNALParserFunc);
}

bool IsDeckLinkAPIPresent() { return gDeckLinkAPIBundleRef != nullptr; }

std::string deckLinkApiProblem() {
  pthread_once(&gDeckLinkOnceControl, InitDeckLinkAPI);
  if (gCreateIteratorFunc != nullptr) return "";
  const char* chosen = std::getenv("CORVANE_DECKLINK_API");
  const std::string byVariable =
      chosen != nullptr && chosen[0] != '\0' ? "CORVANE_DECKLINK_API=" + std::string(chosen) + ": "
                                              : "";
  if (gDeckLinkAPIBundleRef == nullptr) return byVariable + gDeckLinkLoadError;
  return byVariable + deckLinkAPIPath() + " has no " + kDeckLinkEntryPoints[0].name;
}
