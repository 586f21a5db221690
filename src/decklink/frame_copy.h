// A new frame with the held frame's picture, for a signalling that must not
// inherit the held frame's metadata: the DeckLink API sets a frame's
// metadata values but has no call that removes one.
#ifndef CORVANE_DECKLINK_FRAME_COPY_H
#define CORVANE_DECKLINK_FRAME_COPY_H

#include "decklink/decklink_api.h"
#include "decklink/failure.h"

// A new frame of gMode, without metadata. When the held frame holds a
// shown picture (gFrameShown) its pixels are copied into the new frame
// through both frames' video buffers (the held one opened for reading, the
// new one for writing), so that the card can show the same picture again.
// Puts it in `*copy`, with its reference; fails, with nothing left open or
// made, when the card refuses the frame, a buffer, an access or its
// address.
Failure copyOfHeldFrame(IDeckLinkMutableVideoFrame** copy);

#endif  // CORVANE_DECKLINK_FRAME_COPY_H
