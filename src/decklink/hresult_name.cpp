#include "decklink/hresult_name.h"

const char* hresultName(HRESULT result) {
  switch (static_cast<uint32_t>(result)) {
    case 0x00000001u: return "S_FALSE";
    case 0x80000001u: return "E_NOTIMPL";
    case 0x80000002u: return "E_OUTOFMEMORY";
    case 0x80000003u: return "E_INVALIDARG (mode or pixel format not valid here)";
    case 0x80000004u: return "E_NOINTERFACE";
    case 0x80000005u: return "E_POINTER";
    case 0x80000006u: return "E_HANDLE";
    case 0x80000007u: return "E_ABORT";
    case 0x80000008u: return "E_FAIL";
    case 0x80000009u: return "E_ACCESSDENIED (device already in use)";
    case 0x8000FFFFu: return "E_UNEXPECTED";
    default: return "unknown";
  }
}
