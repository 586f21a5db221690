// The signalling a network mode takes from its command line, put on the
// card right after it is held, before anything is shown. One reader for
// every network mode (corvane resolve, and any later one):
//
//   std::vector<std::string> args(argv + 2, argv + argc);
//   SignallingOptions signalling;
//   if (!takeSignallingOptions(&args, &signalling, &problem)) ...  // status 1
//   ... holdCard(...) ...
//   if (!signalAtStart(signalling)) ...  // release the card, status 1
#ifndef CORVANE_APP_SIGNALLING_OPTIONS_H
#define CORVANE_APP_SIGNALLING_OPTIONS_H

#include <string>
#include <vector>

#include "decklink/signalling.h"

struct SignallingOptions {
  bool given = false;  // --hdr was on the command line
  Signalling signalling;
};

// Takes the signalling options out of `args`, wherever they stand, and
// leaves the other words in their order:
//   --hdr sdr|pq|hlg                 (needed for any of the others)
//   --colorspace rec709|rec2020      --primaries rec2020|p3d65|rec709
//   --max-luminance <cd/m2>          --min-luminance <cd/m2, up to 4 decimals>
//   --max-cll <cd/m2>                --max-fall <cd/m2>
// The values are read as the console reads them (decklink/signalling_words.h),
// with the same defaults. Other options stay in `args` for the mode's own
// reader. Returns false with `problem` set for a signalling option it cannot
// read or one without its value.
bool takeSignallingOptions(std::vector<std::string>* args, SignallingOptions* options,
                           std::string* problem);

// With the card held (app/hold_card.h) and nothing shown yet: puts the
// signalling on the held frame and prints "signalling: <words>". Without
// --hdr, does nothing and prints nothing. Returns false, printing why
// ("Could not set the signalling: <message> (<code>)"), when the card
// refuses; the card is then still held.
bool signalAtStart(const SignallingOptions& options);

#endif  // CORVANE_APP_SIGNALLING_OPTIONS_H
