#include "interfaces/video_buffer.h"

#include <algorithm>

#include "accounting/call_record.h"
#include "util/util.h"

SimVideoBuffer::SimVideoBuffer(std::shared_ptr<CardRuntime> card,
                               std::shared_ptr<FramePixels> pixels)
    : SimObject("Buffer"), card_(std::move(card)), pixels_(std::move(pixels)) {}

HRESULT SimVideoBuffer::GetBytes(void** buffer) {
  StateLock lock;
  CallRecord call(lock.state(), *this, "GetBytes", "");
  if (buffer != nullptr) *buffer = nullptr;
  if (call.refused()) return call.refusal();
  if (buffer == nullptr) return call.finish(kE_POINTER);
  // Misuse, but answered: the program's later writes are what a real card
  // would be hurt by, and the misuse count already tells the test.
  if (pixels_->openAccesses == 0) call.misuse("no StartAccess before GetBytes");
  const CardSetup& setup = card_->setup;
  if (setup.getBytes.set) return call.finish(setup.getBytes.result, "null");
  if (setup.getBytesNull) return call.finish(kS_OK, "null");
  *buffer = pixels_->data;
  return call.finish(kS_OK, stringPrintf("%p", static_cast<void*>(pixels_->data)));
}

HRESULT SimVideoBuffer::GetSize(uint64_t* bufferSize) {
  StateLock lock;
  CallRecord call(lock.state(), *this, "GetSize", "");
  if (bufferSize != nullptr) *bufferSize = 0;
  if (call.refused()) return call.refusal();
  if (bufferSize == nullptr) return call.finish(kE_POINTER);
  *bufferSize = pixels_->size;
  return call.finish(kS_OK, std::to_string(pixels_->size));
}

HRESULT SimVideoBuffer::StartAccess(BMDBufferAccessFlags flags) {
  StateLock lock;
  CallRecord call(lock.state(), *this, "StartAccess", std::to_string(flags));
  if (call.refused()) return call.refusal();
  if (card_->setup.startAccess.set) return call.finish(card_->setup.startAccess.result);
  ++pixels_->openAccesses;
  ++openedHere_;
  return call.finish(kS_OK);
}

HRESULT SimVideoBuffer::EndAccess(BMDBufferAccessFlags flags) {
  StateLock lock;
  CallRecord call(lock.state(), *this, "EndAccess", std::to_string(flags));
  endRefused_ = call.refused();
  if (call.refused()) return call.refusal();
  if (pixels_->openAccesses == 0) {
    call.misuse("EndAccess without an open StartAccess");
    return call.finish(kE_FAIL);
  }
  // Another buffer of the same frame may have opened it: the access is
  // the frame's.
  --pixels_->openAccesses;
  if (openedHere_ > 0) --openedHere_;
  return call.finish(kS_OK);
}

QueryAnswer SimVideoBuffer::answerQuery(SimState&, const DeckLinkIID& iid) {
  if (sameIID(iid, IID_IUnknown) || sameIID(iid, IID_IDeckLinkVideoBuffer)) return itself();
  return QueryAnswer();
}

std::string SimVideoBuffer::finalRelease(SimState& state) {
  const int closing = std::min(openedHere_, pixels_->openAccesses);
  if (closing > 0) {
    if (!endRefused_) {
      state.noteMisuse(label() + " Release(): access still open (no EndAccess)");
    }
    pixels_->openAccesses -= closing;
  }
  openedHere_ = 0;
  pixels_.reset();
  return std::string();
}
