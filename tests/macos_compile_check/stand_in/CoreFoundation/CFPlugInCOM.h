// A stand-in for CoreFoundation's plug-in COM header, for the macOS compile
// check only (see CoreFoundation.h beside it): the COM types as Apple
// declares them, the C++ IUnknown class, and the result macros, whose names
// a macOS build must not use for anything else.
#ifndef CORVANE_STAND_IN_CFPLUGINCOM_H
#define CORVANE_STAND_IN_CFPLUGINCOM_H

#include <CoreFoundation/CoreFoundation.h>

typedef SInt32 HRESULT;
typedef UInt32 ULONG;
typedef void* LPVOID;
typedef CFUUIDBytes REFIID;

#define SUCCEEDED(Status) ((HRESULT)(Status) >= 0)
#define FAILED(Status) ((HRESULT)(Status) < 0)

#define S_OK ((HRESULT)0x00000000L)
#define S_FALSE ((HRESULT)0x00000001L)
#define E_UNEXPECTED ((HRESULT)0x8000FFFFL)
#define E_NOTIMPL ((HRESULT)0x80000001L)
#define E_OUTOFMEMORY ((HRESULT)0x80000002L)
#define E_INVALIDARG ((HRESULT)0x80000003L)
#define E_NOINTERFACE ((HRESULT)0x80000004L)
#define E_POINTER ((HRESULT)0x80000005L)
#define E_HANDLE ((HRESULT)0x80000006L)
#define E_ABORT ((HRESULT)0x80000007L)
#define E_FAIL ((HRESULT)0x80000008L)
#define E_ACCESSDENIED ((HRESULT)0x80000009L)

#ifdef __cplusplus
// Three pure virtual methods and no destructor, as in Apple's header.
class IUnknown {
 public:
  virtual HRESULT QueryInterface(REFIID iid, LPVOID* ppv) = 0;
  virtual ULONG AddRef(void) = 0;
  virtual ULONG Release(void) = 0;
};
#endif

#endif  // CORVANE_STAND_IN_CFPLUGINCOM_H
