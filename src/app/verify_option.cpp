#include "app/verify_option.h"

#include "app/mode_words.h"
#include "decklink/capture_handover.h"
#include "decklink/shown_frame_proof.h"
#include "io/safe_points.h"

namespace {

bool waitAtSafePoint(int fd, int timeoutMs) {
  WaitFor wait = {fd, false, false};
  return waitForAny(&wait, 1, timeoutMs) > 0;
}

}  // namespace

void waitForArrivalsAtSafePoints() { setArrivalWait(waitAtSafePoint); }

Failure takeVerifyOption(std::vector<std::string>* args) {
  for (size_t i = 0; i < args->size(); ++i) {
    if ((*args)[i] != "--verify") continue;
    int index = -1;
    const std::string word = i + 1 < args->size() ? (*args)[i + 1] : "";
    if (!readDeviceNumber(word, &index) || index < 0) {
      return failure(FailureCode::kBadRequest, "--verify needs an input device number");
    }
    args->erase(args->begin() + static_cast<long>(i), args->begin() + static_cast<long>(i) + 2);
    waitForArrivalsAtSafePoints();
    proveShownFramesThrough(index);
    return {};
  }
  return {};
}
