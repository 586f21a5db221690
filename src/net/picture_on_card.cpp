#include "net/picture_on_card.h"

#include "io/offered_lines.h"
#include "io/safe_points.h"

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
