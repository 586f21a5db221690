// A Resolve message as the picture corvane paints: 10-bit colours and pixel
// rectangles of the current mode.
#ifndef CORVANE_NET_RESOLVE_PICTURE_H
#define CORVANE_NET_RESOLVE_PICTURE_H

#include <cstdint>
#include <vector>

#include "net/resolve/message.h"
#include "render/show_rects.h"

// A code at `bits` bits as a 10-bit code, the way the hosts scale video
// levels: up to 10 bits shifted left (8-bit 16 -> 64, 235 -> 940, 255 ->
// 1020); above 10 bits rounded to the nearest, at most 1023.
uint16_t toTenBits(uint32_t code, int bits);

Rgb10 toRgb10(const HostColour& colour);

// x, y, cx, cy as fractions of a width x height frame: left = lround(x W),
// top = lround(y H), right = lround((x + cx) W), bottom = lround((y + cy) H),
// each clamped to the frame. When any of the four is above 1.0001 the host
// sent pixels, and all four are taken as pixels. A rectangle whose right
// is not past its left, or bottom past its top, is empty (0 x 0).
PatchRect toPixels(const HostRect& rect, int32_t width, int32_t height);

struct ResolvePicture {
  Rgb10 background;
  std::vector<ColouredRect> rects;
};

ResolvePicture resolvePicture(const ResolveMessage& message, int32_t width, int32_t height);

#endif  // CORVANE_NET_RESOLVE_PICTURE_H
