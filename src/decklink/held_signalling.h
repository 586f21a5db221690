// Changing the signalling the held frame carries (gSignalling), and
// carrying it over to the new frame of a resolution switch.
//
// The signalling belongs to the held device: set by setSignalling, kept
// until changed, carried over switchMode to its new frame, and back to
// plain SDR when the device is closed, so every openDevice starts plain.
#ifndef CORVANE_DECKLINK_HELD_SIGNALLING_H
#define CORVANE_DECKLINK_HELD_SIGNALLING_H

#include "decklink/failure.h"
#include "decklink/signalling.h"

// Puts `wanted` on a new frame with the held frame's picture, which then
// replaces the held frame, and, when the frame already held a shown
// picture, shows it at once, so the display switches mode with the same
// picture. A frame is written once: it carries
// HDR10's static values only when it is signalled as PQ. On success
// gSignalling is `wanted`; the failures:
//   bad_request   a value out of range (checked first, the device untouched)
//   not_open      nothing held
//   unsupported   the card says it cannot carry `wanted`; nothing changed
//   failed        no frame (a switch whose restore failed); or the new
//                 frame could not be made, given the picture or the
//                 metadata: the previous frame and signalling are kept
//                 ("; previous signalling kept"); or the card refused to
//                 show the new frame: the signalling is set all the same
// Plain SDR over plain SDR makes no DeckLink call.
Failure setSignalling(const Signalling& wanted);

// With a new frame of the held device, puts gSignalling on it; on a failure
// (what the frame refused) gSignalling is back to plain SDR and the frame
// carries no HDR flag. Plain SDR makes no DeckLink call.
Failure carrySignalling();

#endif  // CORVANE_DECKLINK_HELD_SIGNALLING_H
