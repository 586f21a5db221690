#include "net/resolve/picture.h"

#include <algorithm>
#include <cmath>

#include "net/host_picture.h"

namespace {

// lround of `value` clamped to 0 .. limit, which rounding cannot leave.
int32_t clampedPixel(double value, int32_t limit) {
  return static_cast<int32_t>(std::lround(std::min(std::max(value, 0.0), double(limit))));
}

}  // namespace

Rgb10 toRgb10(const HostColour& colour) {
  return {toTenBits(colour.red, colour.bits), toTenBits(colour.green, colour.bits),
          toTenBits(colour.blue, colour.bits)};
}

PatchRect toPixels(const HostRect& rect, int32_t width, int32_t height) {
  const bool pixels = rect.x > 1.0001 || rect.y > 1.0001 || rect.cx > 1.0001 || rect.cy > 1.0001;
  const double scaleX = pixels ? 1.0 : width;
  const double scaleY = pixels ? 1.0 : height;
  const int32_t left = clampedPixel(rect.x * scaleX, width);
  const int32_t top = clampedPixel(rect.y * scaleY, height);
  const int32_t right = clampedPixel((rect.x + rect.cx) * scaleX, width);
  const int32_t bottom = clampedPixel((rect.y + rect.cy) * scaleY, height);
  if (right <= left || bottom <= top) return {left, top, 0, 0};
  return {left, top, right - left, bottom - top};
}

Picture resolvePicture(const ResolveMessage& message, int32_t width, int32_t height) {
  Picture picture;
  if (message.hasBackground) picture.background = toRgb10(message.background);
  for (const HostRect& rect : message.rects) {
    picture.rects.push_back({toPixels(rect, width, height), toRgb10(rect.colour)});
  }
  return picture;
}
