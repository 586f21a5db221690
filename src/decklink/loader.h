// Finds the DeckLink API at run time. The program is never linked against
// the driver: the first call of a factory loads it (once per process), and
// a missing driver makes every factory return null, so the program runs and
// says so instead of failing to start.
//
// On Linux the driver is the shared library libDeckLinkAPI.so, found by the
// normal library search; on macOS it is the framework bundle
// /Library/Frameworks/DeckLinkAPI.framework. The environment variable
// CORVANE_DECKLINK_API, when set, names the library or bundle to load
// instead (by path), and nothing else is tried. The streaming API is a
// second, independent library of the same shape; the program never calls it.
//
// Every non-null result carries one reference that belongs to the caller.
#ifndef CORVANE_DECKLINK_LOADER_H
#define CORVANE_DECKLINK_LOADER_H

#include <string>

#include "decklink/decklink_api.h"

// Interfaces the program only passes through; they stay incomplete.
class IDeckLinkGLScreenPreviewHelper;
class IDeckLinkMetalScreenPreviewHelper;
class IDeckLinkCocoaScreenPreviewCallback;
class IDeckLinkVideoConversion;
class IDeckLinkDiscovery;
class IDeckLinkVideoFrameAncillaryPackets;
class IBMDStreamingDiscovery;
class IBMDStreamingH264NALParser;

IDeckLinkIterator* CreateDeckLinkIteratorInstance();
IDeckLinkAPIInformation* CreateDeckLinkAPIInformationInstance();
IDeckLinkGLScreenPreviewHelper* CreateOpenGLScreenPreviewHelper();
IDeckLinkGLScreenPreviewHelper* CreateOpenGL3ScreenPreviewHelper();
IDeckLinkMetalScreenPreviewHelper* CreateMetalScreenPreviewHelper();
IDeckLinkCocoaScreenPreviewCallback* CreateCocoaScreenPreview(void* parentView);
IDeckLinkVideoConversion* CreateVideoConversionInstance();
IDeckLinkDiscovery* CreateDeckLinkDiscoveryInstance();
IDeckLinkVideoFrameAncillaryPackets* CreateVideoFrameAncillaryPacketsInstance();
IBMDStreamingDiscovery* CreateBMDStreamingDiscoveryInstance();
IBMDStreamingH264NALParser* CreateBMDStreamingH264NALParser();

// True once a DeckLink factory has been called and the library was found.
// Reads the loader's state only; it never loads anything itself.
bool IsDeckLinkAPIPresent();

// Why the DeckLink API cannot be used (loading it first if no factory has):
// "" when it loaded and has its iterator; else the loader's own words,
// after "CORVANE_DECKLINK_API=<path>: " when that variable chose the path:
// "libDeckLinkAPI.so: cannot open shared object file: No such file or
// directory", or "<path> has no CreateDeckLinkIteratorInstance_0004".
std::string deckLinkApiProblem();

#endif  // CORVANE_DECKLINK_LOADER_H
