// The signalling as a person types it, in the console ("hdr pq primaries
// p3d65") and on a network mode's command line ("--hdr pq --primaries
// p3d65"): the one reader both use, so they accept the same words.
#ifndef CORVANE_DECKLINK_SIGNALLING_WORDS_H
#define CORVANE_DECKLINK_SIGNALLING_WORDS_H

#include <string>
#include <vector>

#include "decklink/signalling.h"

// words[0] is the EOTF ("sdr", "pq", "hlg"); the rest are pairs of a name
// and its value, each name at most once:
//   colorspace rec709|rec2020     primaries rec2020|p3d65|rec709|dcip3|p3d60
//   max-luminance <cd/m2>         min-luminance <cd/m2, up to 4 decimals>
//   max-cll <cd/m2>               max-fall <cd/m2>
// Whatever is not named takes signallingFor(eotf)'s value. Fails
// (bad_request, saying which) for a word it cannot read or a value out of
// range.
Failure readSignallingWords(const std::vector<std::string>& words, Signalling* signalling);

#endif  // CORVANE_DECKLINK_SIGNALLING_WORDS_H
