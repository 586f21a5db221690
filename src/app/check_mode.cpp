#include "app/check_mode.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>

#include "decklink/device_hold.h"
#include "decklink/held_card.h"
#include "io/safe_points.h"
#include "render/show_alignment.h"
#include "render/show_picture.h"

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Shows the held frame again once per frame period of `mode` until
// `seconds` have passed (at least once), timing each display. Between
// displays it pauses at a safe point. False when a display fails.
bool holdPicture(const OutputMode& mode, double seconds, std::vector<double>* displayMs) {
  const double periodMs = 1000.0 / std::strtod(mode.rate, nullptr);
  const long frames = std::max(1L, std::lround(seconds * 1000.0 / periodMs));
  const Clock::time_point start = Clock::now();
  for (long frame = 0; frame < frames; ++frame) {
    const Clock::time_point before = Clock::now();
    const Failure refused = displayHeldFrame();
    displayMs->push_back(millisecondsSince(before));
    deliverPendingSignals();
    if (refused.failed()) return false;
    const double untilNext = (frame + 1) * periodMs - millisecondsSince(start);
    if (frame + 1 < frames && untilNext >= 1) {
      waitForAny(nullptr, 0, static_cast<int>(untilNext));
    }
  }
  return true;
}

Failure showFullField(int level) {
  PatchRect rect;
  const uint16_t v = static_cast<uint16_t>(level);
  return showPatch(v, v, v, v, v, v, 100, &rect);
}

// The console's alignment frame at video range: box lines at 55 % and the
// crosshair at 75 % of the range, boxes of 3 % and 10 %.
Failure showAlignmentFrame() {
  PatchRect inner, outer;
  return showAlignment(kCheckBlack, 546, 721, 3, 10, &inner, &outer);
}

// One step: the picture shown (a safe point follows), then held. Sets
// `check->failure` and returns false when either fails.
bool showAndHold(const char* step, const Failure& shown, const OutputMode& mode, double seconds,
                 ModeCheck* check) {
  deliverPendingSignals();
  if (!shown.failed() && holdPicture(mode, seconds, &check->displayMs)) return true;
  check->failure =
      std::string(step) + ": " + (shown.failed() ? shown.message : kDisplayFailedMessage);
  return false;
}

// The gray under PQ and then HLG, where the card says it can carry each.
void tryHdr(const OutputMode& mode, double seconds, ModeCheck* check) {
  const Eotf eotfs[] = {Eotf::kPq, Eotf::kHlg};
  std::string outcomes[2];
  std::string refusals[2];
  for (int i = 0; i < 2; ++i) {
    const char* step = i == 0 ? "PQ" : "HLG";
    const Failure refused = setSignalling(signallingFor(eotfs[i]));
    deliverPendingSignals();
    if (refused.is(FailureCode::kUnsupported)) {
      refusals[i] = refused.message;
      outcomes[i] = std::string(step) + ": no (" + refused.message + ")";
      continue;
    }
    if (refused.failed()) {
      check->failure = std::string(step) + ": " + refused.text();
    } else if (showAndHold(step, showFullField(kCheckGray), mode, seconds, check)) {
      outcomes[i] = std::string(step) + " ok";
      continue;
    }
    check->hdr = "failed";
    return;
  }
  check->hdr = !refusals[0].empty() && refusals[0] == refusals[1]
                   ? "no HDR: " + refusals[0]
                   : outcomes[0] + ", " + outcomes[1];
}

}  // namespace

ModeCheck checkMode(int index, const OutputMode& mode, double seconds) {
  ModeCheck check;
  const Failure refused = openDevice(index, mode.name);
  deliverPendingSignals();
  if (refused.failed()) {
    check.failure = "open: " + refused.text();
    check.inUse = refused.is(FailureCode::kInUse);
    return check;
  }
  if (showAndHold("black", showFullField(kCheckBlack), mode, seconds, &check) &&
      showAndHold("gray", showFullField(kCheckGray), mode, seconds, &check) &&
      showAndHold("white", showFullField(kCheckWhite), mode, seconds, &check) &&
      showAndHold("alignment", showAlignmentFrame(), mode, seconds, &check)) {
    tryHdr(mode, seconds, &check);
  }
  closeDevice();
  deliverPendingSignals();
  return check;
}
