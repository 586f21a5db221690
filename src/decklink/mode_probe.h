// Asks an output whether it can show 10-bit RGB 4:4:4 ('r210') at a mode.
#ifndef CORVANE_DECKLINK_MODE_PROBE_H
#define CORVANE_DECKLINK_MODE_PROBE_H

#include "decklink/decklink_api.h"
#include "decklink/output_mode.h"

// Supported only when the call succeeds and its flag says yes; a failing
// call counts as unsupported and is never reported.
bool probeMode(IDeckLinkOutput* output, const OutputMode& mode);

#endif  // CORVANE_DECKLINK_MODE_PROBE_H
