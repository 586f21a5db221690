// One mode of `corvane check`: the card held at the mode, a fixed sequence
// of pictures shown on it, each display timed, and HDR tried where the card
// says it can carry it.
#ifndef CORVANE_APP_CHECK_MODE_H
#define CORVANE_APP_CHECK_MODE_H

#include <string>
#include <vector>

#include "decklink/output_mode.h"

// The levels of the pictures, 10-bit video range as the console starts and
// the demo shows: black 64, the 50 % gray halfway between black and white
// (502) and white 940. The HDR frames show the gray too, which is a dim
// picture under PQ (about 92 cd/m2) and under HLG, whatever the display.
constexpr int kCheckBlack = 64;
constexpr int kCheckGray = 502;
constexpr int kCheckWhite = 940;

struct ModeCheck {
  // "" when every step worked; otherwise "<step>: <why>", the first step
  // that failed (open, black, gray, white, alignment, PQ, HLG); the steps
  // after it were not tried.
  std::string failure;
  // The open was refused because another process holds the card.
  bool inUse = false;
  // Each DisplayVideoFrameSync timed, in milliseconds, SDR and HDR frames.
  std::vector<double> displayMs;
  // What became of HDR: "PQ ok, HLG ok", "no HDR: <why>" (the card says it
  // cannot carry it, which is no failure), "PQ ok, HLG: no (<why>)", or "-"
  // when a failure came first.
  std::string hdr = "-";
};

// Holds device `index` at `mode` (after releasing whatever was held),
// shows black, gray, white (each full field) and the alignment frame, then
// with HDR the gray signalled as PQ with HDR10's default metadata and as
// HLG, and releases the card. Each picture is painted once and then shown
// again at the mode's frame rate for `seconds` (at least once), each of
// those displays timed. Signals are delivered after every card operation
// and during the pauses.
ModeCheck checkMode(int index, const OutputMode& mode, double seconds);

#endif  // CORVANE_APP_CHECK_MODE_H
