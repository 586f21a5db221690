#include "decklink/display_name.h"

#include <cstdlib>

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

std::string readDisplayName(IDeckLink* device) {
  DeckLinkString name = nullptr;
  if (device->GetDisplayName(&name) != kS_OK || name == nullptr) return kUnknownName;
  std::string text = takeDeckLinkString(name);
  text.resize(utf8PrefixLength(text.data(), text.size(), kMaxDisplayNameBytes));
  return text;
}

#ifdef __APPLE__

std::string takeDeckLinkString(DeckLinkString text) {
  if (text == nullptr) return std::string();
  // Asked without a buffer, CFStringGetBytes gives the bytes the whole
  // string needs; the second call converts it.
  const CFRange whole = CFRangeMake(0, CFStringGetLength(text));
  CFIndex needed = 0;
  CFStringGetBytes(text, whole, kCFStringEncodingUTF8, 0, false, nullptr, 0, &needed);
  std::string bytes(static_cast<size_t>(needed), '\0');
  CFIndex used = 0;
  CFStringGetBytes(text, whole, kCFStringEncodingUTF8, 0, false,
                   reinterpret_cast<UInt8*>(&bytes[0]), needed, &used);
  CFRelease(text);
  bytes.resize(static_cast<size_t>(used));
  // A C string ends at its first NUL; so does the text here.
  return bytes.substr(0, bytes.find('\0'));
}

#else

std::string takeDeckLinkString(DeckLinkString text) {
  if (text == nullptr) return std::string();
  std::string copy(text);
  std::free(const_cast<char*>(text));
  return copy;
}

#endif
