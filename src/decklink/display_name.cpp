#include "decklink/display_name.h"

#include <cstdlib>
#include <cstring>

#ifdef __APPLE__
#include <CoreFoundation/CoreFoundation.h>
#endif

namespace {
const char kUnknownName[] = "(unknown)";

bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }
}  // namespace

size_t utf8PrefixLength(const char* text, size_t length, size_t limit) {
  if (length <= limit) return length;
  // Back up over at most three continuation bytes (a UTF-8 character is at
  // most four bytes long); text that is not UTF-8 is cut at the limit.
  size_t cut = limit;
  for (int step = 0; step < 3 && cut > 0 && isContinuationByte(text[cut]); ++step) --cut;
  return isContinuationByte(text[cut]) ? limit : cut;
}

#ifdef __APPLE__

std::string readDisplayName(IDeckLink* device) {
  CFStringRef name = nullptr;
  if (device->GetDisplayName(&name) != kS_OK || name == nullptr) return kUnknownName;
  // CFStringGetBytes converts whole characters only, so a name too long for
  // the buffer is cut between two characters.
  UInt8 buffer[kMaxDisplayNameBytes];
  CFIndex used = 0;
  CFStringGetBytes(name, CFRangeMake(0, CFStringGetLength(name)), kCFStringEncodingUTF8, 0,
                   false, buffer, sizeof buffer, &used);
  CFRelease(name);
  std::string text(reinterpret_cast<const char*>(buffer), static_cast<size_t>(used));
  return text.substr(0, text.find('\0'));
}

#else

std::string readDisplayName(IDeckLink* device) {
  const char* name = nullptr;
  if (device->GetDisplayName(&name) != kS_OK || name == nullptr) return kUnknownName;
  size_t length = std::strlen(name);
  std::string text(name, utf8PrefixLength(name, length, kMaxDisplayNameBytes));
  std::free(const_cast<char*>(name));
  return text;
}

#endif
