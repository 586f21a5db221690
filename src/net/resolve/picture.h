// A Resolve message as the picture corvane paints: 10-bit colours and pixel
// rectangles of the current mode.
#ifndef CORVANE_NET_RESOLVE_PICTURE_H
#define CORVANE_NET_RESOLVE_PICTURE_H

#include <cstdint>

#include "net/resolve/message.h"
#include "render/show_picture.h"

Rgb10 toRgb10(const HostColour& colour);

// x, y, cx, cy as fractions of a width x height frame: left = lround(x W),
// top = lround(y H), right = lround((x + cx) W), bottom = lround((y + cy) H),
// each clamped to the frame. When any of the four is above 1.0001 the host
// sent pixels, and all four are taken as pixels. A rectangle whose right
// is not past its left, or bottom past its top, is empty (0 x 0).
PatchRect toPixels(const HostRect& rect, int32_t width, int32_t height);

// The message's rectangles over its background (black when it has none).
Picture resolvePicture(const ResolveMessage& message, int32_t width, int32_t height);

#endif  // CORVANE_NET_RESOLVE_PICTURE_H
