// The blocks of HCFR's template upload, as its client sends them after
// "SETCONF:<name>:TEMPLATERAMDISK:": lines of KEY=VALUE separated by line
// feeds, each block closed by END=1. HCFR's own, for a 10 % window at
// 1920 x 1080:
//   DRAW=TEXT DIM=18,0 RESOLUTION=100 RGB=20,128,128 BG=DYNAMIC
//   POSITION=785,20 TEXT=RGB Triplet $RGB END=1
//   DRAW=RECTANGLE DIM=607,341 RESOLUTION=100 RGB=DYNAMIC BG=-1,-1,-1
//   POSITION=-1,-1,0,0 END=1
#ifndef CORVANE_NET_PGEN_TEMPLATE_BLOCKS_H
#define CORVANE_NET_PGEN_TEMPLATE_BLOCKS_H

#include <cstdint>
#include <string>

#include "decklink/failure.h"
#include "net/pgen/template_store.h"

// Reads the blocks for a width x height frame. A DRAW=RECTANGLE block needs
// DIM and POSITION, read and placed as RGB=RECTANGLE's window and position
// (net/pgen/patch_command.h), and RGB: DYNAMIC, or its own 8-bit triplet.
// A DRAW=TEXT block needs DIM, POSITION, RGB (its own 8-bit triplet) and
// TEXT (net/pgen/text_command.h). RESOLUTION, BG (the
// whole screen's background is the colour each use names; HCFR's rectangle
// says -1,-1,-1, no fill of its own) and any other key are not used. Blank
// lines and a carriage return before a line feed are allowed; a key given
// twice in one block, a line without '=', and a block without END are not:
// bad_request saying which and why. A block that draws something else than
// a rectangle or text: unsupported.
Failure readTemplateBlocks(const std::string& blocks, int32_t width, int32_t height,
                           PgenTemplate* read);

#endif  // CORVANE_NET_PGEN_TEMPLATE_BLOCKS_H
