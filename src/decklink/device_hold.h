// Changing what the card holds (decklink/held_card.h): opening device N at
// a mode, closing it, the release on a terminating signal, switching its
// resolution, and the signalling its frame carries. The ways in and the
// command line call these; painting never does.
//
// The signalling belongs to the held device: set by setSignalling, kept
// until changed, carried over switchMode to its new frame, and back to
// plain SDR when the device is closed, so every openDevice starts plain.
#ifndef CORVANE_DECKLINK_DEVICE_HOLD_H
#define CORVANE_DECKLINK_DEVICE_HOLD_H

#include "decklink/failure.h"
#include "decklink/held_card.h"

// Holds device number `index` (0-based, in enumeration order) at the mode
// named `modeName` (any name findMode takes), after releasing whatever was
// held. On success the state is held with a new, undisplayed frame; on a
// failure nothing is held:
//   bad_request   "unknown resolution": no mode of that name
//   no_device     no device at that index (without a driver there is none
//                 at any index either)
//   no_output
//   unsupported   the device cannot output 'r210' at the mode
//   in_use        EnableVideoOutput answered E_ACCESSDENIED (another process)
//   failed        EnableVideoOutput's other results, by name; or "could not
//                 allocate a video frame"
Failure openDevice(int index, const char* modeName);

// Releases the held input (decklink/held_input.h), the frame, disables and
// releases the output, releases the device, clears the mode and puts the
// signalling back to plain SDR, in that order. Nothing held: no DeckLink
// call.
void closeDevice();

// The status a terminating signal ends a holding mode with: 130 for SIGINT
// and SIGTERM (as every caller of corvane knows it), 128 + the number for
// any other (129 for SIGHUP, 131 for SIGQUIT), as a shell reports them.
int signalExitStatus(int signalNumber);

// The handler of SIGINT, SIGTERM, SIGHUP and SIGQUIT: closeDevice, then
// _exit(signalExitStatus(signalNumber)), writing nothing.
[[noreturn]] void onSignal(int signalNumber);

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

#endif  // CORVANE_DECKLINK_DEVICE_HOLD_H
