// The one bridge between the driver's capture thread and the program's one
// thread: a few preallocated slots. The driver's thread copies what is
// compared out of each arriving frame into a free slot (releasing every
// reference it took before returning) and wakes the program through a
// pipe; the program takes the slots in order of arrival at its safe
// points. The driver's thread never waits: with no slot free, the frame is
// counted and dropped.
#ifndef CORVANE_DECKLINK_CAPTURE_HANDOVER_H
#define CORVANE_DECKLINK_CAPTURE_HANDOVER_H

#include <cstdint>

#include "decklink/captured_frame.h"
#include "decklink/decklink_input_api.h"
#include "decklink/failure.h"

// The callback object to give IDeckLinkInput::SetCallback. It lives as long
// as the process, so a driver that calls it late finds it whole; its
// AddRef and Release count nothing.
IDeckLinkInputCallback* handoverCallback();

// Empties the slots, sizes them for frames of `bytes` bytes and starts
// accepting frames. Fails when the wake-up pipe cannot be made.
Failure openHandover(uint64_t bytes);

// Stops accepting frames: a callback after this returns at once.
void stopHandover();

// Frames handed to the callback since openHandover, and how many of them
// found no free slot.
uint64_t arrivalsSoFar();
uint64_t framesDroppedByHandover();

// Takes the oldest waiting frame into `*frame`; false when none waits.
bool takeArrival(CapturedFrame* frame);

// Waits up to `timeoutMs` for a frame to wait in the hand-over; true when
// one does. The wait is the program's safe point when the layer above has
// given one (setArrivalWait).
bool waitForArrival(int timeoutMs);

// How the program waits for the wake-up descriptor: a function that waits
// until `fd` is readable or `timeoutMs` passed, true when readable. The
// holding modes give one that lets the signals in while it waits.
using ArrivalWait = bool (*)(int fd, int timeoutMs);
void setArrivalWait(ArrivalWait wait);

#endif  // CORVANE_DECKLINK_CAPTURE_HANDOVER_H
