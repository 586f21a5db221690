// Keeps what a displayed frame showed: as a capture file in the [capture]
// directory, and in memory for decklink_sim_last_frame.
#ifndef DECKLINK_SIM_CAPTURE_FRAME_CAPTURE_H
#define DECKLINK_SIM_CAPTURE_FRAME_CAPTURE_H

#include "interfaces/video_frame.h"
#include "state/sim_state.h"

// Called for each successful display, `sequence` counting displays since
// the configure. Keeps the frame's metadata for decklink_sim_last_metadata
// always; touches no pixel when capture is off.
void captureDisplayedFrame(SimState& state, const SimVideoFrame& frame, uint64_t sequence);

#endif  // DECKLINK_SIM_CAPTURE_FRAME_CAPTURE_H
