// The frames `corvane verify` sends, each painted into the held frame and
// shown: every 10-bit code of each channel at a known place, stripes of
// neighbours in different colours, a patch, the alignment frame, and where
// the card carries HDR a PQ frame (with HDR10 metadata) and an HLG frame.
#ifndef CORVANE_APP_VERIFY_SEQUENCE_H
#define CORVANE_APP_VERIFY_SEQUENCE_H

#include <string>
#include <vector>

#include "decklink/failure.h"
#include "decklink/signalling.h"

struct SentFrame {
  std::string name;  // "codes 1/1", "patch", "alignment", "pq", "hlg"
  Signalling signalling;
  int part = 0;  // for the code frames: which run of 1024 codes per row
};

// The sequence for the held mode; the HDR frames only when `hdr` says the
// card can carry them.
std::vector<SentFrame> verifySequence(int32_t width, bool pq, bool hlg);

// Puts `frame`'s signalling on the card (when it changes) and paints and
// shows its picture. Fails as setSignalling, showPicture or showAlignment
// do.
Failure showSentFrame(const SentFrame& frame);

#endif  // CORVANE_APP_VERIFY_SEQUENCE_H
