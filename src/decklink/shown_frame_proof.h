// Proof of each shown picture (`--verify <in-device>`): after the held
// frame is displayed, the frame that arrives at the input is compared with
// it, and a picture that arrived changed is a failure of the display.
// Without a proving input nothing here makes a DeckLink call.
#ifndef CORVANE_DECKLINK_SHOWN_FRAME_PROOF_H
#define CORVANE_DECKLINK_SHOWN_FRAME_PROOF_H

#include <cstdint>
#include <vector>

#include "decklink/failure.h"

// From now on every shown picture is proved through device `index`'s input
// (-1: never). The input is opened at the held mode when the first picture
// is shown, and again whenever the held mode has changed.
void proveShownFramesThrough(int index);

// Where the input stood before a display, so that only what arrived after
// it counts.
struct ProofStart {
  bool proving = false;
  uint64_t arrivals = 0;
};
// Notes too how many frames the held input had delivered (for
// arrivalsBeforeLastDisplay), proving or not.
ProofStart startProof();

// The frames the held input had delivered when the last display began: an
// arrival numbered above it came after that display.
uint64_t arrivalsBeforeLastDisplay();

// With the held frame just shown: waits for it at the input (at most a
// dozen frames and a few seconds) and compares it. Fails (failed) with the
// first difference ("verify: the picture arrived changed at input device
// N: ..."), with "verify: no signal at input device N", "verify: no frame
// arrived at input device N", or why the input could not be opened.
Failure proveShownFrame(const ProofStart& start);

// Every failure of the proof starts with "verify: ", so that a way in that
// answers other display failures with a fixed text can tell it and pass
// its message on.
extern const char kProofFailurePrefix[];

// A copy of the held frame's pixels (gRowBytes x height bytes), what was
// sent; false, copying nothing, without a frame or when it refuses a read.
bool copyHeldPicture(std::vector<unsigned char>* copy);
bool provedWrong(const Failure& shown);

#endif  // CORVANE_DECKLINK_SHOWN_FRAME_PROOF_H
