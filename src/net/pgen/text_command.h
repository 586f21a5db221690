// Text as the PGenerator hosts send it, drawn with the text colour alone
// (render/text_runs.h):
//   RGB=TEXT;<size>,<n>;<res>;<R>,<G>,<B>;<bgR>,<bgG>,<bgB>;<x>,<y>;<text>
//     HCFR's greeting and its "End of sequence": the whole screen in the
//     background, the text over it;
//   a template's DRAW=TEXT block: DIM=<size>,<n>, RGB=<R>,<G>,<B>,
//     POSITION=<x>,<y>, TEXT=<text>, where each "$RGB" in the text stands
//     for the patch colour of each use, as the host sent it ("126,126,126").
// <size> is the text's em height in pixels (1-1000; <n> and <res> are not
// used); colours are 8-bit codes 0-255, shifted to 10 bits as RGB=RECTANGLE's;
// <x>,<y> is the top-left pixel of the text's box, which may lie partly
// outside the frame (the text is clipped). The text is every byte after
// the sixth ';', semicolons included.
#ifndef CORVANE_NET_PGEN_TEXT_COMMAND_H
#define CORVANE_NET_PGEN_TEXT_COMMAND_H

#include <map>
#include <string>

#include "decklink/failure.h"
#include "render/show_picture.h"

// The fields after "RGB=TEXT;". Fails with bad_request saying which field
// is wrong and why.
Failure readTextCommand(const std::string& fields, Picture* picture);

// A DRAW=TEXT block's keys; the text keeps its "$RGB".
Failure readTextBlock(const std::map<std::string, std::string>& block, PictureText* text);

// The text with each "$RGB" replaced by `triplet`.
std::string withTriplet(const std::string& text, const std::string& triplet);

#endif  // CORVANE_NET_PGEN_TEXT_COMMAND_H
