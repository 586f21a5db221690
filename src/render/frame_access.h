// Getting at the held frame's pixels, and the one paint-and-show step of
// every picture.
#ifndef CORVANE_RENDER_FRAME_ACCESS_H
#define CORVANE_RENDER_FRAME_ACCESS_H

#include <cstdint>
#include <vector>

#include "decklink/decklink_api.h"
#include "decklink/failure.h"
#include "render/paint_rects.h"

// Opens gFrame's pixels for writing (decklink/frame_pixels.h). Returns the
// frame's first byte, with `buffer` set for closeFrameForWriting; returns
// null, with nothing left open, when the frame refuses its buffer, the
// access or the address, or the frame's rows could not hold gMode's width:
// there is then nothing to paint, and only what the card gave is ever
// written.
unsigned char* openFrameForWriting(IDeckLinkVideoBuffer** buffer);

// Orders the painter's streaming stores, then EndAccess(write) and the
// buffer's Release.
void closeFrameForWriting(IDeckLinkVideoBuffer* buffer);

// With a frame held (checkFrameHeld): paints every pixel of it, `rects`
// over `background` (render/paint_rects.h), and has the card show it.
// Fails with "could not write to the frame", displaying nothing, when the
// pixels cannot be written; or as displayHeldFrame does.
Failure paintHeldFrame(uint32_t background, const std::vector<PaintedRect>& rects);

#endif  // CORVANE_RENDER_FRAME_ACCESS_H
