// Writing a signalling into a frame: its metadata through the frame's
// mutable metadata extensions, then its HDR-metadata flag.
#ifndef CORVANE_DECKLINK_SIGNALLING_WRITE_H
#define CORVANE_DECKLINK_SIGNALLING_WRITE_H

#include <string>
#include <vector>

#include "decklink/decklink_api.h"
#include "decklink/failure.h"
#include "decklink/signalling.h"

// One value of the metadata: an integer or a floating point number.
struct MetadataWrite {
  BMDDeckLinkFrameMetadataID id;
  const char* what;
  bool isFloat;
  int64_t integer;
  double number;
};

// Every value of `s` in the order it is written: the colour space and the
// EOTF, and for PQ its static metadata. What a frame signalled so carries,
// and what a capture of it must carry again.
std::vector<MetadataWrite> signallingValues(const Signalling& s);

// Sets the colour space and the EOTF; for PQ also the primaries, the D65
// white, the mastering luminance, MaxCLL and MaxFALL; then sets the frame's
// bmdFrameContainsHDRMetadata flag for PQ and HLG and clears it for SDR,
// keeping its other flags. The flag comes last, so a frame whose writing
// failed never claims metadata it lacks. Fails (failed) saying what the
// frame refused: its metadata interface, a value or the flag. The metadata
// interface is released before it returns.
Failure writeSignalling(IDeckLinkMutableVideoFrame* frame, const Signalling& signalling);

#endif  // CORVANE_DECKLINK_SIGNALLING_WRITE_H
