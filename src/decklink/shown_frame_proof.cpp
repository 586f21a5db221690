#include "decklink/shown_frame_proof.h"

#include <chrono>
#include <vector>

#include "decklink/capture_handover.h"
#include "decklink/held_card_writable.h"
#include "decklink/held_input.h"
#include "decklink/picture_compare.h"

namespace {

int gProvingIndex = -1;
uint64_t gArrivalsAtDisplay = 0;

// The picture on the card's output may take this many frames to reach the
// input, and no more; nor may the wait take longer than this.
constexpr uint64_t kMostFramesLate = 12;
constexpr int kLongestWaitMs = 3000;

Failure proofFailure(const std::string& why) {
  return failure(FailureCode::kFailed, kProofFailurePrefix + why);
}

}  // namespace

const char kProofFailurePrefix[] = "verify: ";

bool copyHeldPicture(std::vector<unsigned char>* copy) {
  if (gFrame == nullptr || gMode == nullptr) return false;
  IDeckLinkVideoBuffer* buffer = nullptr;
  const unsigned char* pixels = openFramePixels(gFrame, bmdBufferAccessRead, &buffer);
  if (pixels == nullptr) return false;
  copy->assign(pixels, pixels + int64_t{gRowBytes} * gMode->height);
  closeFramePixels(buffer, bmdBufferAccessRead);
  return true;
}

bool provedWrong(const Failure& shown) { return shown.message.rfind(kProofFailurePrefix, 0) == 0; }

void proveShownFramesThrough(int index) { gProvingIndex = index; }

ProofStart startProof() {
  gArrivalsAtDisplay = gInput != nullptr ? arrivalsSoFar() : 0;
  if (gProvingIndex < 0) return {};
  return {true, gInput != nullptr && gInputMode == gMode ? gArrivalsAtDisplay : 0};
}

uint64_t arrivalsBeforeLastDisplay() { return gArrivalsAtDisplay; }

Failure proveShownFrame(const ProofStart& start) {
  if (!start.proving || gMode == nullptr) return {};
  const std::string device = "input device " + std::to_string(gProvingIndex);
  if (gInput == nullptr || gInputMode != gMode) {
    const Failure unopened = openInput(gProvingIndex, *gMode);
    if (unopened.failed()) return proofFailure("could not open " + device + ": " + unopened.text());
  }
  std::vector<unsigned char> sentPixels;
  if (!copyHeldPicture(&sentPixels)) return proofFailure("could not read the frame to prove it");
  const SentPicture sent = {sentPixels.data(), gRowBytes, gMode->width, gMode->height};
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(kLongestWaitMs);
  CapturedFrame arrived;
  FrameComparison last;
  uint64_t seen = 0;
  while (seen < kMostFramesLate) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    if (!waitForArrival(static_cast<int>(left.count()))) continue;
    if (!takeArrival(&arrived) || arrived.arrival <= start.arrivals) continue;
    ++seen;
    last = compareArrival(sent, gSignalling, arrived);
    if (last.exact()) return {};
  }
  if (seen == 0) return proofFailure("no frame arrived at " + device);
  if (last.pixels == PixelChange::kNoSignal) return proofFailure("no signal at " + device);
  return proofFailure("the picture arrived changed at " + device + ": " + comparisonText(last));
}
