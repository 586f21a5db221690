// Every pixel of a displayed frame against the rule of its picture, written
// out plainly (README.md, "The pictures"): one checker for the patch frame
// and one for the alignment frame, whichever way the frame was obtained.
#ifndef CORVANE_TESTS_SUPPORT_FRAME_CHECKS_H
#define CORVANE_TESTS_SUPPORT_FRAME_CHECKS_H

#include <cstdint>
#include <vector>

#include "decklink_sim.h"
#include "render/patch_rect.h"

// The r210 word of components r, g and b, each cut to its low 10 bits:
// bits 29-20 red, 19-10 green, 9-0 blue.
uint32_t r210Word(unsigned r, unsigned g, unsigned b);
// The r210 word with all three components at `level`.
uint32_t r210Gray(unsigned level);

// Every pixel is `patch` inside `rect` and `background` outside it.
void expectPatchFrame(const decklink_sim_frame& frame, const PatchRect& rect, uint32_t patch,
                      uint32_t background);

// A rectangle and the word it is painted with.
struct ExpectedRect {
  PatchRect rect;
  uint32_t word;
};

// Every pixel is the word of the last of `rects` that covers it, or
// `background` where none does.
void expectRectsFrame(const decklink_sim_frame& frame, uint32_t background,
                      const std::vector<ExpectedRect>& rects);

// Every pixel is `patch` inside `rect`; outside it, `text` or `background`
// inside `textBox` and `background` elsewhere. Returns how many pixels are
// `text`.
long expectPatchAndTextFrame(const decklink_sim_frame& frame, const PatchRect& rect,
                             uint32_t patch, uint32_t background, const PatchRect& textBox,
                             uint32_t text);

struct AlignmentWords {
  uint32_t background;
  uint32_t line;
  uint32_t cross;
};

// Every pixel is the crosshair's word over the box lines' over the
// background's. The lines are `thickness` wide: the four sides of `outer`
// and of `inner`, inside each box; the crosshair is a row band and a column
// band through the centre (starting thickness / 2 before the middle row or
// column) across the whole frame. Only the frame clips them.
void expectAlignmentFrame(const decklink_sim_frame& frame, const PatchRect& inner,
                          const PatchRect& outer, int thickness, const AlignmentWords& words);

#endif  // CORVANE_TESTS_SUPPORT_FRAME_CHECKS_H
