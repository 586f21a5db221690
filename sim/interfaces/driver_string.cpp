#include "interfaces/driver_string.h"

#ifdef __APPLE__

#include <CoreFoundation/CoreFoundation.h>

#include "util/text_escapes.h"

bool driverStringCanHold(const std::string& text) { return isUtf8(text); }

DeckLinkString newDriverString(const std::string& text) {
  return CFStringCreateWithBytes(kCFAllocatorDefault,
                                 reinterpret_cast<const UInt8*>(text.data()),
                                 static_cast<CFIndex>(text.size()), kCFStringEncodingUTF8, false);
}

#else

#include <cstring>

bool driverStringCanHold(const std::string&) { return true; }

DeckLinkString newDriverString(const std::string& text) { return strdup(text.c_str()); }

#endif
