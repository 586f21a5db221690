// The one step that puts the held output at a mode, shared by opening a
// device and switching its resolution.
#ifndef CORVANE_DECKLINK_ENABLE_MODE_H
#define CORVANE_DECKLINK_ENABLE_MODE_H

#include "decklink/decklink_api.h"
#include "decklink/output_mode.h"

enum class EnableOutcome {
  kReady,       // output enabled at the mode, gFrame created, gMode set
  kNotEnabled,  // EnableVideoOutput refused; nothing changed
  kNoFrame,     // output enabled, but the frame could not be created;
                // gFrame and gMode stay null, the caller disables or releases
};

// With gOutput held and no frame: EnableVideoOutput at `mode`, the row
// length into gRowBytes, and CreateVideoFrame into gFrame. `enableResult`
// receives EnableVideoOutput's result.
EnableOutcome enableAtMode(const OutputMode& mode, HRESULT* enableResult);

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
