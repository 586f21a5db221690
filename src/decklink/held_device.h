// The held-device state: the one device the program holds, its output, its
// one frame and its mode. Painting reads it; only the device layer
// (decklink/device_hold.h, decklink/switch_mode.h, and
// decklink/held_signalling.h, which replaces the frame) changes it.
//
// The state always has one of three shapes:
//   nothing held      gDevice, gOutput, gFrame, gMode all null
//   held              all four set; output enabled at gMode; gFrame is
//                     gMode's width x height in 'r210' with gRowBytes per row
//   held without mode gDevice and gOutput set, output disabled, gFrame and
//                     gMode null (left only by a failed switch whose restore
//                     failed too; the renderers refuse to paint in it)
// Each reference belongs to the state: whoever clears or replaces one
// releases it exactly once and nulls the variable straight after.
//
// Beside the references: gSignalling, the colour signalling the frame
// carries (plain SDR when nothing is held; decklink/held_signalling.h), and
// gFrameShown, whether the card has shown the current frame, so that its
// pixels are a picture worth showing again (false for every new frame).
#ifndef CORVANE_DECKLINK_HELD_DEVICE_H
#define CORVANE_DECKLINK_HELD_DEVICE_H

#include <cstdint>

#include "decklink/decklink_api.h"
#include "decklink/output_mode.h"
#include "decklink/signalling.h"

extern const OutputMode* gMode;
extern IDeckLink* gDevice;
extern IDeckLinkOutput* gOutput;
extern IDeckLinkMutableVideoFrame* gFrame;
extern int32_t gRowBytes;  // written before each frame creation, never cleared
extern Signalling gSignalling;
extern bool gFrameShown;

#endif  // CORVANE_DECKLINK_HELD_DEVICE_H
