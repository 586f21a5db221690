// Asking a card, before anything is written, whether it can carry a
// signalling (its profile attributes).
#ifndef CORVANE_DECKLINK_SIGNALLING_SUPPORT_H
#define CORVANE_DECKLINK_SIGNALLING_SUPPORT_H

#include <string>

#include "decklink/decklink_api.h"
#include "decklink/signalling.h"

// "" when `device` says it can carry `wanted`, else "unsupported" with
// `message` saying what it lacks:
//   PQ, HLG    SupportsHDRMetadata must say yes; where SupportedDynamicRange
//              answers, it must include PQ or HLG (a card that does not
//              answer is taken at its SupportsHDRMetadata word)
//   SDR in Rec.2020   SupportsColorspaceMetadata must say yes
//   SDR in Rec.709    nothing to ask: ""
// A device without the profile attributes interface cannot say, and gets
// "unsupported" too. The interface is released before it returns.
std::string askCardForSignalling(IDeckLink* device, const Signalling& wanted,
                                 std::string* message);

#endif  // CORVANE_DECKLINK_SIGNALLING_SUPPORT_H
