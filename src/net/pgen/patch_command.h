// The PGenerator patch command, as the hosts send it:
//   RGB=<draw>;<w>,<h>;<res>;<R>,<G>,<B>;<bgR>,<bgG>,<bgB>;<position>[;<text>]
// read into the one window on a background that corvane paints.
#ifndef CORVANE_NET_PGEN_PATCH_COMMAND_H
#define CORVANE_NET_PGEN_PATCH_COMMAND_H

#include <cstdint>
#include <string>
#include <vector>

#include "decklink/failure.h"
#include "render/show_picture.h"

// The picture of one patch command: 10-bit colours, and the window in
// pixels of the current frame, inside it (possibly empty).
struct PgenPatch {
  Rgb10 background;
  ColouredRect window;
};

// Reads the fields after "RGB=" for a width x height frame:
//   draw      RECTANGLE: colours are 8-bit codes 0-255, shifted to 10 bits
//             (16 -> 64, 235 -> 940); RECTANGLE10bit: 10-bit codes 0-1023;
//   w,h       the window in pixels, whole numbers of 0 or more, clamped to
//             the frame (a number too large for 32 bits is the frame's size);
//   res       ignored (the hosts send 100 or 0);
//   R,G,B     the window's colour, bgR,bgG,bgB the background's;
//   position  "ax,ay" or "ax,ay,dx,dy": per axis an anchor, -1 for centred
//             (left = (W - w) / 2, an odd margin leaving the extra pixel
//             right or bottom) or the pixel of the window's left or top
//             edge, plus an offset (0 when absent) in pixels; the window is
//             then clipped to the frame;
//   text      ignored (pgen_client sends -1), like any further ';' field
//             (RGB=TEXT is read by net/pgen/text_command.h).
// Numbers are decimal, with an optional sign and spaces around them. Fails
// with unsupported for a draw other than a rectangle (text, image), naming
// it, and with bad_request for a field that is missing or wrong, saying
// which and why.
Failure readPatchCommand(const std::string& fields, int32_t width, int32_t height,
                         PgenPatch* patch);

// The pieces of the reading above, which HCFR's templates share: a colour
// of three codes 0-`largest` (8-bit codes as 10-bit ones, or 10-bit codes
// kept), and a window's size and position placed in the frame. Each fails
// with bad_request, naming the colour as `name`.
Failure readPgenColour(const std::string& text, const char* name, int largest, Rgb10* colour);
Failure readPgenWindow(const std::string& size, const std::string& position, int32_t width,
                       int32_t height, PatchRect* rect);

// `count` comma-separated decimal integers, spaces allowed around each;
// false for any other text.
bool readPgenNumbers(const std::string& text, size_t count, std::vector<int>* values);

#endif  // CORVANE_NET_PGEN_PATCH_COMMAND_H
