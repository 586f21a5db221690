// IDeckLinkIterator: hands out the configured cards in order.
#ifndef DECKLINK_SIM_INTERFACES_ITERATOR_H
#define DECKLINK_SIM_INTERFACES_ITERATOR_H

#include <memory>
#include <vector>

#include "accounting/counted_object.h"
#include "state/sim_state.h"

class SimIterator final : public SimObject<IDeckLinkIterator> {
 public:
  SimIterator(std::vector<std::shared_ptr<CardRuntime>> cards, const IteratorSetup& faults);

  HRESULT Next(IDeckLink** deckLinkInstance) override;

  QueryAnswer answerQuery(SimState& state, const DeckLinkIID& iid) override;

 private:
  // The cards as they were when the iterator was created.
  const std::vector<std::shared_ptr<CardRuntime>> cards_;
  const IteratorSetup faults_;
  size_t position_ = 0;  // the card the next call hands out
  long handedOut_ = 0;
};

#endif  // DECKLINK_SIM_INTERFACES_ITERATOR_H
