// The held card's variables themselves, writable, and the steps of the
// device layer that change them. Only decklink/ includes this header
// (tests/layers_test.py checks it); every other layer reads the state
// through the const names of decklink/held_card.h. A write is spelled
// `writable::gFrame = ...`, so each one stands out where it is made.
#ifndef CORVANE_DECKLINK_HELD_CARD_WRITABLE_H
#define CORVANE_DECKLINK_HELD_CARD_WRITABLE_H

#include "decklink/held_card.h"

namespace writable {
extern const OutputMode* gMode;
extern IDeckLink* gDevice;
extern IDeckLinkOutput* gOutput;
extern IDeckLinkMutableVideoFrame* gFrame;
extern int32_t gRowBytes;
extern Signalling gSignalling;
extern bool gFrameShown;
}  // namespace writable

// A new frame of `mode`'s size in 'r210' with gRowBytes per row; null when
// the output refuses it.
IDeckLinkMutableVideoFrame* createFrameFor(const OutputMode& mode);

// Makes `fresh` (a frame of gMode) the held frame and releases the one it
// replaces; gFrameShown is left as it is, for `fresh` holds the same
// picture.
void replaceHeldFrame(IDeckLinkMutableVideoFrame* fresh);

// Opens `frame`'s pixels for `access`: the frame's video buffer interface,
// StartAccess, GetBytes. Returns the frame's first byte, with `*buffer` set
// for closeFramePixels; null, with nothing left open, when the frame
// refuses the interface, the access or the address.
unsigned char* openFramePixels(IDeckLinkMutableVideoFrame* frame, BMDBufferAccessFlags access,
                               IDeckLinkVideoBuffer** buffer);

// EndAccess and the buffer's Release.
void closeFramePixels(IDeckLinkVideoBuffer* buffer, BMDBufferAccessFlags access);

// With a new frame of the held device, puts gSignalling on it; on a failure
// (what the frame refused) gSignalling is back to plain SDR and the frame
// carries no HDR flag. Plain SDR makes no DeckLink call.
Failure carrySignalling();

#endif  // CORVANE_DECKLINK_HELD_CARD_WRITABLE_H
