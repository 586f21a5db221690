#include "net/host_picture.h"

#include <algorithm>

#include "io/offered_lines.h"
#include "io/safe_points.h"

uint16_t toTenBits(uint32_t code, int bits) {
  if (bits <= 10) return static_cast<uint16_t>(code << (10 - bits));
  const uint32_t scaled = (code + (uint32_t{1} << (bits - 11))) >> (bits - 10);
  return static_cast<uint16_t>(std::min<uint32_t>(scaled, 1023));
}

void showStartingBlack() {
  const Failure shown = showPicture({});
  deliverPendingSignals();
  if (shown.failed()) offerStdoutLine("black frame not shown: " + shown.message);
}

Failure showAndReport(const Picture& picture) {
  const Failure shown = showPicture(picture);
  deliverPendingSignals();
  offerStdoutLine(shown.failed() ? "patch not shown: " + shown.message : pictureLine(picture));
  return shown;
}
