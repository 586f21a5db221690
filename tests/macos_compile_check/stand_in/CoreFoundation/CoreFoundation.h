// A stand-in for CoreFoundation, for the macOS compile check only: the
// types, constants and function prototypes that corvane's macOS-only code
// uses, written from the signatures Apple documents. Nothing here is
// defined, so nothing compiled against it can be linked or run; it lets a
// Linux machine find a wrong type, a wrong argument or a typo in those
// lines. Add a declaration here, as Apple documents it, when new macOS code
// needs one.
#ifndef CORVANE_STAND_IN_COREFOUNDATION_H
#define CORVANE_STAND_IN_COREFOUNDATION_H

#include <stddef.h>
#include <stdint.h>

// MacTypes.h: fixed-size integers and the one-byte Boolean.
typedef unsigned char UInt8;
typedef signed char SInt8;
typedef unsigned short UInt16;
typedef signed short SInt16;
typedef unsigned int UInt32;
typedef signed int SInt32;
typedef unsigned char Boolean;
// Other MacTypes.h names a macOS build sees through this header, declared so
// that a global name of the program that collides with one fails here too.
typedef long Size;
typedef char* Ptr;
typedef Ptr* Handle;
typedef UInt8 Byte;
typedef SInt16 OSErr;
typedef SInt32 OSStatus;
typedef UInt32 FourCharCode;
typedef FourCharCode OSType;
typedef SInt32 Fixed;
typedef unsigned char Style;
typedef UInt16 UniChar;
struct Point {
  short v;
  short h;
};
struct Rect {
  short top;
  short left;
  short bottom;
  short right;
};
#ifndef nil
#define nil nullptr
#endif

#ifdef __cplusplus
extern "C" {
#endif

// CFBase.h
typedef signed long CFIndex;
typedef unsigned long CFOptionFlags;
typedef const void* CFTypeRef;
typedef const struct __CFString* CFStringRef;
typedef const struct __CFAllocator* CFAllocatorRef;

typedef struct {
  CFIndex location;
  CFIndex length;
} CFRange;

CFRange CFRangeMake(CFIndex loc, CFIndex len);

extern const CFAllocatorRef kCFAllocatorDefault;

CFTypeRef CFRetain(CFTypeRef cf);
void CFRelease(CFTypeRef cf);

// CFString.h. The built-in encodings are an enumeration with a fixed
// underlying type (CF_ENUM), as in Apple's header, so a plain integer where
// an encoding belongs is an error here too.
typedef UInt32 CFStringEncoding;
#ifdef __cplusplus
enum CFStringBuiltInEncodings : CFStringEncoding {
#else
enum CFStringBuiltInEncodings {
#endif
  kCFStringEncodingMacRoman = 0,
  kCFStringEncodingASCII = 0x0600,
  kCFStringEncodingUTF8 = 0x08000100,
};

CFStringRef CFStringCreateWithCString(CFAllocatorRef alloc, const char* cStr,
                                      CFStringEncoding encoding);
CFStringRef CFStringCreateWithBytes(CFAllocatorRef alloc, const UInt8* bytes, CFIndex numBytes,
                                    CFStringEncoding encoding, Boolean isExternalRepresentation);
CFIndex CFStringGetLength(CFStringRef theString);
CFIndex CFStringGetBytes(CFStringRef theString, CFRange range, CFStringEncoding encoding,
                         UInt8 lossByte, Boolean isExternalRepresentation, UInt8* buffer,
                         CFIndex maxBufLen, CFIndex* usedBufLen);

// CFURL.h
typedef const struct __CFURL* CFURLRef;
#ifdef __cplusplus
enum CFURLPathStyle : CFIndex {
#else
typedef CFIndex CFURLPathStyle;
enum {
#endif
  kCFURLPOSIXPathStyle = 0,
  kCFURLHFSPathStyle = 1,
  kCFURLWindowsPathStyle = 2,
};

CFURLRef CFURLCreateWithFileSystemPath(CFAllocatorRef allocator, CFStringRef filePath,
                                       CFURLPathStyle pathStyle, Boolean isDirectory);

// CFBundle.h
typedef struct __CFBundle* CFBundleRef;

CFBundleRef CFBundleCreate(CFAllocatorRef allocator, CFURLRef bundleURL);
void* CFBundleGetFunctionPointerForName(CFBundleRef bundle, CFStringRef functionName);

// CFUUID.h
typedef struct {
  UInt8 byte0, byte1, byte2, byte3, byte4, byte5, byte6, byte7;
  UInt8 byte8, byte9, byte10, byte11, byte12, byte13, byte14, byte15;
} CFUUIDBytes;

#ifdef __cplusplus
}
#endif

// Apple's umbrella header brings in the plug-in COM declarations too.
#include <CoreFoundation/CFPlugInCOM.h>

#endif  // CORVANE_STAND_IN_COREFOUNDATION_H
