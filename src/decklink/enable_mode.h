// The one step that puts the held output at a mode, shared by opening a
// device and switching its resolution, and the held frame's creation and
// replacement.
#ifndef CORVANE_DECKLINK_ENABLE_MODE_H
#define CORVANE_DECKLINK_ENABLE_MODE_H

#include "decklink/decklink_api.h"
#include "decklink/failure.h"
#include "decklink/output_mode.h"

// With gOutput held and no frame: EnableVideoOutput at `mode`, the row
// length into gRowBytes, and CreateVideoFrame into gFrame; then gMode is
// `mode` and the new frame is not shown yet. On a failure gFrame and gMode
// stay null and `*enabled` says whether the output was enabled all the
// same (the frame was refused), for the caller to disable or release:
//   in_use   EnableVideoOutput answered E_ACCESSDENIED (another process)
//   failed   EnableVideoOutput's other results, by name; or "could not
//            allocate a video frame"
Failure enableAtMode(const OutputMode& mode, bool* enabled);

// A new frame of `mode`'s size in 'r210' with gRowBytes per row; null when
// the output refuses it.
IDeckLinkMutableVideoFrame* createFrameFor(const OutputMode& mode);

// Makes `fresh` (a frame of gMode) the held frame and releases the one it
// replaces; gFrameShown is left as it is, for `fresh` holds the same
// picture.
void replaceHeldFrame(IDeckLinkMutableVideoFrame* fresh);

// Releases gFrame, if any; the variable is cleared before the Release, so
// no path, however it is interrupted, can release it a second time.
void releaseHeldFrame();

#endif  // CORVANE_DECKLINK_ENABLE_MODE_H
