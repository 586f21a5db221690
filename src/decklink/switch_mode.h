// Changes the resolution of the held device without letting go of it.
#ifndef CORVANE_DECKLINK_SWITCH_MODE_H
#define CORVANE_DECKLINK_SWITCH_MODE_H

#include "decklink/failure.h"
#include "decklink/output_mode.h"

// Holds the device at `target` with a new, undisplayed frame that carries
// the held signalling (gSignalling), or fails:
//   not_open     nothing held; nothing changes
//   unsupported  the device cannot show 'r210' at target; nothing changes
//   failed       the target could not be set up; the message says whether
//                the previous mode is back (held, new frame, its signalling
//                carried over) or not (held without mode). Or the new frame
//                (of the target or the restored mode) refused the
//                signalling: the message says so, and the frame is plain SDR.
// Switching to the current mode succeeds without a DeckLink call.
Failure switchMode(const OutputMode& target);

#endif  // CORVANE_DECKLINK_SWITCH_MODE_H
