// The signalling a network mode takes from its command line, put on the
// card right after it is held, before anything is shown
// (app/network_start.h). One reader for every network mode.
#ifndef CORVANE_APP_SIGNALLING_OPTIONS_H
#define CORVANE_APP_SIGNALLING_OPTIONS_H

#include <string>
#include <vector>

#include "decklink/failure.h"
#include "decklink/signalling.h"

struct SignallingOptions {
  bool given = false;  // --hdr was on the command line
  Signalling signalling;
};

// Takes the signalling options out of `args`, wherever they stand, and
// leaves the other words in their order:
//   --hdr sdr|pq|hlg                 (needed for any of the others)
//   --colorspace rec709|rec2020      --primaries rec2020|p3d65|rec709|dcip3|p3d60
//   --max-luminance <cd/m2>          --min-luminance <cd/m2, up to 4 decimals>
//   --max-cll <cd/m2>                --max-fall <cd/m2>
// The values are read as the console reads them (decklink/signalling_words.h),
// with the same defaults. Other options stay in `args` for the mode's own
// reader. Fails (bad_request, saying why) for a signalling option it cannot
// read or one without its value.
Failure takeSignallingOptions(std::vector<std::string>* args, SignallingOptions* options);

#endif  // CORVANE_APP_SIGNALLING_OPTIONS_H
