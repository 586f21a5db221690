// The held card: the one device the program holds, its output, its one
// frame and its mode, and the one operation that paints that frame and has
// the card show it. Every layer reads the state here; only the device layer
// writes it (decklink/held_card.cpp and decklink/held_card_signalling.cpp,
// through decklink/held_card_writable.h, which nothing outside decklink/
// includes), so the names below are const references: a reader that tried
// to assign one would not compile.
//
// The state always has one of three shapes:
//   nothing held      gDevice, gOutput, gFrame, gMode all null
//   held              all four set; output enabled at gMode; gFrame is
//                     gMode's width x height in 'r210' with gRowBytes per row
//   held without mode gDevice and gOutput set, output disabled, gFrame and
//                     gMode null (left only by a failed switch whose restore
//                     failed too; nothing can be painted in it)
// Each reference belongs to the state: whoever clears or replaces one
// releases it exactly once and nulls the variable straight before.
//
// Beside the references: gSignalling, the colour signalling the frame
// carries (plain SDR when nothing is held; decklink/device_hold.h), and
// gFrameShown, whether the card has shown the current frame, so that its
// pixels are a picture worth showing again (false for every new frame).
#ifndef CORVANE_DECKLINK_HELD_CARD_H
#define CORVANE_DECKLINK_HELD_CARD_H

#include <cstdint>
#include <functional>

#include "decklink/decklink_api.h"
#include "decklink/failure.h"
#include "decklink/output_mode.h"
#include "decklink/signalling.h"

extern const OutputMode* const& gMode;
extern IDeckLink* const& gDevice;
extern IDeckLinkOutput* const& gOutput;
extern IDeckLinkMutableVideoFrame* const& gFrame;
extern const int32_t& gRowBytes;  // written before each frame creation, never cleared
extern const Signalling& gSignalling;
extern const bool& gFrameShown;

// A frame's pixels while they are open for writing: the first byte, the row
// stride (at least 4 * width) and the size in pixels.
struct FrameView {
  unsigned char* pixels;
  int64_t rowBytes;
  int32_t width;
  int32_t height;
};

// Writes every pixel of the open frame; false when it cannot (the frame is
// then not shown). It must finish its stores before it returns.
using FramePainter = std::function<bool(const FrameView& frame)>;

// Whether a picture can go on the card: not_open when nothing is held;
// failed with "DisplayVideoFrameSync failed" when a switch whose restore
// failed left the device held without a frame, since no picture can be
// displayed then.
Failure checkFrameHeld();

// The one way a picture reaches the card: checks the frame as
// checkFrameHeld does (nothing happens on a failure), opens its pixels for
// writing, hands them to `paint`, closes them, and has the card show the
// frame. Fails with "could not write to the frame", displaying nothing, when
// the frame's rows cannot hold its width, the frame refuses its buffer, the
// access or the address, or `paint` says it cannot paint: the card never
// shows an old picture as if it were the new one. Or as displayHeldFrame.
Failure paintAndShow(const FramePainter& paint);

// Shows gFrame on gOutput again and marks the frame as holding a shown
// picture (gFrameShown); failed, "DisplayVideoFrameSync failed", when the
// card refuses it. Only with a frame held. With a proving input
// (decklink/shown_frame_proof.h) the picture must then arrive there
// unchanged, or that is the failure.
Failure displayHeldFrame();

// How many frames the card has accepted since the program started, every
// picture and every showing again with new signalling.
uint64_t framesShown();

#endif  // CORVANE_DECKLINK_HELD_CARD_H
