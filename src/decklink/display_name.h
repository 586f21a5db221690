// A device's display name as UTF-8 text. The one place where the two
// platforms' string types meet the program: Linux drivers hand out a
// malloc'd `const char*`, macOS drivers a CFStringRef; takeDeckLinkString is
// the only code that differs between the two.
#ifndef CORVANE_DECKLINK_DISPLAY_NAME_H
#define CORVANE_DECKLINK_DISPLAY_NAME_H

#include <cstddef>
#include <string>

#include "decklink/decklink_api.h"

// Names longer than this many bytes of UTF-8 are cut at the last whole
// character that fits (the driver's names are far shorter in practice).
constexpr size_t kMaxDisplayNameBytes = 255;

// The device's display name, or "(unknown)" when the driver fails to give
// one or gives a null string. Frees the driver's string.
std::string readDisplayName(IDeckLink* device);

// The text of a string the driver handed out, as UTF-8 up to its first NUL,
// with the string freed the way the platform's driver strings are: free()
// on Linux, CFRelease() on macOS. A null string gives "".
std::string takeDeckLinkString(DeckLinkString text);

// The length of the longest prefix of `text` (of `length` bytes) that fits in
// `limit` bytes without splitting a UTF-8 character.
size_t utf8PrefixLength(const char* text, size_t length, size_t limit);

#endif  // CORVANE_DECKLINK_DISPLAY_NAME_H
