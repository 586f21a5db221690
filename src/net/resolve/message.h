// One Resolve calibration message, read with a real XML parser (expat).
//
// Two shapes of message are in use, and both are taken:
//   <calibration><color .../><background .../><geometry .../></calibration>
//       one rectangle on a background (the background may be missing);
//   <calibration><shapes><rectangle><color .../><geometry .../></rectangle>
//       ...</shapes></calibration>
//       rectangles painted in document order over a black background.
// Any XML declaration, quoting, spacing and attribute order; unknown
// elements and attributes are ignored.
#ifndef CORVANE_NET_RESOLVE_MESSAGE_H
#define CORVANE_NET_RESOLVE_MESSAGE_H

#include <cstdint>
#include <string>
#include <vector>

#include "decklink/failure.h"

// A colour as the host sent it: whole code values at `bits` bits (8 when
// the message does not say), each within 0 .. 2^bits - 1.
struct HostColour {
  uint32_t red = 0;
  uint32_t green = 0;
  uint32_t blue = 0;
  int bits = 8;
};

// A rectangle as the host sent it: x, y its top-left corner, cx, cy its
// width and height, as fractions of the frame or (some hosts) as pixels;
// all finite.
struct HostRect {
  HostColour colour;
  double x = 0, y = 0, cx = 0, cy = 0;
};

struct ResolveMessage {
  bool hasBackground = false;
  HostColour background;        // black when the message has none
  std::vector<HostRect> rects;  // at least one, in document order
};

// Reads `xml`. Fails (bad_request, naming what is wrong) when the text is
// not well-formed XML, is not a <calibration>, lacks a colour or a geometry,
// or holds a value that is not a whole code in range or a finite number.
Failure parseResolveMessage(const std::string& xml, ResolveMessage* message);

#endif  // CORVANE_NET_RESOLVE_MESSAGE_H
