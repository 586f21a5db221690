// Getting at a frame's pixels through its video buffer interface: for
// painting the held frame, and for copying a picture into a new frame.
#ifndef CORVANE_DECKLINK_FRAME_PIXELS_H
#define CORVANE_DECKLINK_FRAME_PIXELS_H

#include "decklink/decklink_api.h"

// Opens `frame`'s pixels for `access`: the frame's video buffer interface,
// StartAccess, GetBytes. Returns the frame's first byte, with `*buffer` set
// for closeFramePixels; null, with nothing left open, when the frame
// refuses the interface, the access or the address.
unsigned char* openFramePixels(IDeckLinkMutableVideoFrame* frame, BMDBufferAccessFlags access,
                               IDeckLinkVideoBuffer** buffer);

// EndAccess and the buffer's Release.
void closeFramePixels(IDeckLinkVideoBuffer* buffer, BMDBufferAccessFlags access);

#endif  // CORVANE_DECKLINK_FRAME_PIXELS_H
