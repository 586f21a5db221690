// The strings the card hands out as the driver does on each platform: the
// one place where the card's names meet the platform's string type, as
// decklink/display_name.cpp is for the program. Linux drivers hand out a
// malloc'd `const char*` the caller frees; macOS drivers a CFStringRef the
// caller CFRelease()s.
#ifndef DECKLINK_SIM_INTERFACES_DRIVER_STRING_H
#define DECKLINK_SIM_INTERFACES_DRIVER_STRING_H

#include <string>

#include "decklink/decklink_api.h"

// Whether the platform's driver strings can carry `text`. A Linux string
// carries any bytes; a CFString carries text only, so on macOS a name that
// is not valid UTF-8 cannot be handed out.
bool driverStringCanHold(const std::string& text);

// A new driver string holding `text` (one reference, the caller's), or null
// when there is no memory for it.
DeckLinkString newDriverString(const std::string& text);

#endif  // DECKLINK_SIM_INTERFACES_DRIVER_STRING_H
