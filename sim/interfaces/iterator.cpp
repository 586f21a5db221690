#include "interfaces/iterator.h"

#include "accounting/call_record.h"
#include "interfaces/device.h"

SimIterator::SimIterator(std::vector<std::shared_ptr<CardRuntime>> cards,
                         const IteratorSetup& faults)
    : SimObject("Iterator"), cards_(std::move(cards)), faults_(faults) {}

HRESULT SimIterator::Next(IDeckLink** deckLinkInstance) {
  StateLock lock;
  CallRecord call(lock.state(), *this, "Next", "");
  if (deckLinkInstance != nullptr) *deckLinkInstance = nullptr;
  if (call.refused()) return call.refusal();
  if (deckLinkInstance == nullptr) return call.finish(kE_POINTER);
  if (faults_.failAfter >= 0 && handedOut_ >= faults_.failAfter) {
    return call.finish(faults_.failResult, "null");
  }
  if (position_ >= cards_.size()) return call.finish(kS_FALSE, "null");
  // A driver that reports success without a device: the card is skipped,
  // and the next call goes on with the one after it.
  if (faults_.nullAt >= 0 && position_ == static_cast<size_t>(faults_.nullAt)) {
    ++position_;
    return call.finish(kS_OK, "null");
  }
  SimDevice* device = createObject<SimDevice>(lock.state(), cards_[position_++]);
  ++handedOut_;
  *deckLinkInstance = device;
  return call.finish(kS_OK, device->label());
}

QueryAnswer SimIterator::answerQuery(SimState&, const DeckLinkIID& iid) {
  if (sameIID(iid, IID_IUnknown) || sameIID(iid, IID_IDeckLinkIterator)) return itself();
  return QueryAnswer();
}
