// The held input: one device's capture, enabled at one mode in 'r210', its
// frames going into the hand-over (decklink/capture_handover.h). Beside the
// held output (decklink/held_card.h), and released with it: closeDevice
// and the release on a signal end the input first.
//
// Shapes: nothing held (all null), or held (gInputDevice and gInput set,
// the input enabled at gInputMode with its streams started). Each reference
// is released exactly once, by whoever clears the variable.
#ifndef CORVANE_DECKLINK_HELD_INPUT_H
#define CORVANE_DECKLINK_HELD_INPUT_H

#include "decklink/decklink_input_api.h"
#include "decklink/failure.h"
#include "decklink/output_mode.h"

extern IDeckLink* gInputDevice;
extern IDeckLinkInput* gInput;
extern const OutputMode* gInputMode;
extern int gInputIndex;  // the device number held, -1 when none

// Holds device `index`'s input at `mode` in 'r210', after releasing the
// input held before; on a failure nothing is held:
//   no_device     no device at that index (or no driver)
//   no_input      the device has no input interface
//   unsupported   the device cannot capture 'r210' at the mode; or the
//                 driver is older than Desktop Video 16.0 (it answers only
//                 an earlier generation's input interface)
//   in_use        EnableVideoInput answered E_ACCESSDENIED
//   failed        SetCallback, EnableVideoInput or StartStreams refused,
//                 by the result's name
Failure openInput(int index, const OutputMode& mode);

// Whether device `index` has a capture input of the 16.0 generation; asked
// and released at once.
bool deviceHasInput(int index);

// Stops the hand-over, then StopStreams, SetCallback(null),
// DisableVideoInput and the Releases. Nothing held: no DeckLink call.
void closeInput();

#endif  // CORVANE_DECKLINK_HELD_INPUT_H
