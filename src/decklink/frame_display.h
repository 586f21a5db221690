// Handing the held frame to the card: the one DisplayVideoFrameSync of the
// program, for the painters and for a change of signalling.
#ifndef CORVANE_DECKLINK_FRAME_DISPLAY_H
#define CORVANE_DECKLINK_FRAME_DISPLAY_H

// Shows gFrame on gOutput; true when the card accepted it, which also marks
// the frame as holding a shown picture (gFrameShown).
bool displayHeldFrameOnCard();

#endif  // CORVANE_DECKLINK_FRAME_DISPLAY_H
