// Handing the held frame to the card: the one DisplayVideoFrameSync of the
// program, for the painters and for a change of signalling, and the one
// check that there is a held frame to paint and show.
#ifndef CORVANE_DECKLINK_FRAME_DISPLAY_H
#define CORVANE_DECKLINK_FRAME_DISPLAY_H

#include "decklink/failure.h"

// Whether a picture can go on the card: not_open when nothing is held;
// failed with "DisplayVideoFrameSync failed" when a switch whose restore
// failed left the device held without a frame, since no picture can be
// displayed then.
Failure checkFrameHeld();

// Shows gFrame on gOutput and marks the frame as holding a shown picture
// (gFrameShown); failed, "DisplayVideoFrameSync failed", when the card
// refuses it. With a proving input (decklink/shown_frame_proof.h) the
// picture must then arrive there unchanged, or that is the failure.
Failure displayHeldFrame();

#endif  // CORVANE_DECKLINK_FRAME_DISPLAY_H
