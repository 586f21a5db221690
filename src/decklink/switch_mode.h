// Changes the resolution of the held device without letting go of it.
#ifndef CORVANE_DECKLINK_SWITCH_MODE_H
#define CORVANE_DECKLINK_SWITCH_MODE_H

#include <string>

#include "decklink/output_mode.h"

// Returns "" with the state held at `target` and a new, undisplayed frame
// that carries the held signalling (gSignalling), or an error code with
// `message` set:
//   "not_open"     nothing held; nothing changes
//   "unsupported"  the device cannot show 'r210' at target; nothing changes
//   "failed"       the target could not be set up; the message says whether
//                  the previous mode is back (held, new frame) or not (held
//                  without mode). Or the new frame (of the target or the
//                  restored mode) refused the signalling: the message says
//                  so, and the frame is plain SDR.
// Switching to the current mode succeeds without a DeckLink call.
std::string switchMode(const OutputMode& target, std::string* message);

#endif  // CORVANE_DECKLINK_SWITCH_MODE_H
