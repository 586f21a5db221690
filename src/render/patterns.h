// The pattern library: the pictures a calibrator sets a display up with,
// each built of rectangles on a background (and an optional caption naming
// it), in the codes of a range. Every code of every pattern is listed in
// README.md ("The pattern library"); at video range (black 64, peak 940)
// and full range (0, 1023):
//   pluge           background black; three bars, each width/8 wide and
//                   height/2 high from height/4, at width/4, 7*width/16,
//                   5*width/8: black - 16 (0 at full range), black + 16,
//                   black + 32
//   black-clipping  background black; across the middle half of the
//                   height eight bands of width/8: black - 12 + 4k (video)
//                   or 4k (full), k = 0..7
//   white-clipping  background peak; eight bands likewise: peak - 16 + 4k
//                   (video) or peak - 28 + 4k (full)
//   ramp            every code of the range, lowest at the left, in bands
//                   of equal width (one pixel apart), the whole height
//   bars75, bars100 seven bars of equal width, the whole height: white,
//                   yellow, cyan, green, magenta, red, blue at 75 % (black
//                   + round(0.75 * span)) or the peak, on black
//   checkerboard    16 x 9 cells, peak and black, the top-left one peak
//   window1 window2 window5 window10 window18 window25
//                   a peak window of that area (the patch rule) on a gray
//                   background chosen so that the average picture level
//                   is 25 % of the range: black + round(span * (25 - a) /
//                   (100 - a))
#ifndef CORVANE_RENDER_PATTERNS_H
#define CORVANE_RENDER_PATTERNS_H

#include <cstdint>
#include <string>

#include "decklink/failure.h"
#include "render/show_picture.h"

// The names, separated by spaces, in the order above.
extern const char kPatternNames[];

// A range's black and peak codes.
struct CodeRange {
  uint16_t black;
  uint16_t peak;
};
constexpr CodeRange kVideoCodes = {64, 940};
constexpr CodeRange kFullCodes = {0, 1023};

// The picture of pattern `name` at width x height; false for a name not in
// the library.
bool patternPicture(const std::string& name, const CodeRange& range, int32_t width,
                    int32_t height, Picture* picture);

// Shows pattern `name` on the held frame, with a caption naming it and
// its range ("pluge, video range") at the top left in the peak code when
// `caption` is set (the pattern's rectangles win where they meet it).
// Fails with bad_request for an unknown name ("unknown pattern: <name>;
// the patterns are ..."), checked first, or as showPicture does.
Failure showPattern(const std::string& name, const CodeRange& range, bool caption);

#endif  // CORVANE_RENDER_PATTERNS_H
