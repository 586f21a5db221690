// Getting at the held frame's pixels, and handing the frame to the card.
#ifndef CORVANE_RENDER_FRAME_ACCESS_H
#define CORVANE_RENDER_FRAME_ACCESS_H

#include "decklink/decklink_api.h"
#include "render/show_result.h"

// Opens gFrame's pixels for writing: the frame's video buffer interface,
// StartAccess(write), GetBytes. Returns the frame's first byte, with
// `buffer` set for closeFrameForWriting; returns null, with nothing left
// open, when the frame refuses the interface, the access or the address, or
// the frame's rows could not hold gMode's width: there is then nothing to
// paint, and only what the card gave is ever written.
unsigned char* openFrameForWriting(IDeckLinkVideoBuffer** buffer);

// Orders the painter's streaming stores, then EndAccess(write) and the
// buffer's Release.
void closeFrameForWriting(IDeckLinkVideoBuffer* buffer);

// Shows gFrame on gOutput: kShown when the card accepted it, else
// kDisplayFailed.
ShowResult displayHeldFrame();

#endif  // CORVANE_RENDER_FRAME_ACCESS_H
