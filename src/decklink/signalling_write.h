// Writing a signalling into a frame: its metadata through the frame's
// mutable metadata extensions, then its HDR-metadata flag.
#ifndef CORVANE_DECKLINK_SIGNALLING_WRITE_H
#define CORVANE_DECKLINK_SIGNALLING_WRITE_H

#include <cstddef>
#include <cstdint>
#include <string>

#include "decklink/decklink_api.h"
#include "decklink/failure.h"
#include "decklink/signalling.h"

// Sets the colour space and the EOTF; for PQ also the primaries, the D65
// white, the mastering luminance, MaxCLL and MaxFALL; then sets the frame's
// bmdFrameContainsHDRMetadata flag for PQ and HLG and clears it for SDR,
// keeping its other flags. The flag comes last, so a frame whose writing
// failed never claims metadata it lacks. Fails (failed) saying what the
// frame refused: its metadata interface (nothing changed), a value or the
// flag (the values before it changed). The metadata interface is released
// before it returns.
//
// The values go in the same order for every signalling: `valuesSet`, when
// given, receives how many were set (all of them when only the flag
// failed), and `onlyFirst` writes only that many (then the flag), so that a
// restore rewrites exactly the values a failed write changed.
Failure writeSignalling(IDeckLinkMutableVideoFrame* frame, const Signalling& signalling,
                        size_t* valuesSet = nullptr, size_t onlyFirst = SIZE_MAX);

// Clears the frame's HDR-metadata flag, if set; false when the frame
// refuses. The card then ignores whatever metadata the frame holds.
bool clearHdrFlag(IDeckLinkMutableVideoFrame* frame);

#endif  // CORVANE_DECKLINK_SIGNALLING_WRITE_H
