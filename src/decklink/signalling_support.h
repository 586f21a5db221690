// Asking a card, before anything is written, whether it can carry a
// signalling (its profile attributes).
#ifndef CORVANE_DECKLINK_SIGNALLING_SUPPORT_H
#define CORVANE_DECKLINK_SIGNALLING_SUPPORT_H

#include "decklink/decklink_api.h"
#include "decklink/failure.h"
#include "decklink/signalling.h"

// No failure when `device` says it can carry `wanted`, else unsupported,
// saying what it lacks:
//   PQ, HLG    SupportsHDRMetadata must say yes; where SupportedDynamicRange
//              answers, it must include PQ or HLG (a card that does not
//              answer is taken at its SupportsHDRMetadata word)
//   SDR in Rec.2020   SupportsColorspaceMetadata must say yes
//   SDR in Rec.709    nothing to ask
// A device without the profile attributes interface cannot say, and gets
// unsupported too. The interface is released before it returns.
Failure askCardForSignalling(IDeckLink* device, const Signalling& wanted);

#endif  // CORVANE_DECKLINK_SIGNALLING_SUPPORT_H
