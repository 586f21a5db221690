// IDeckLink: one card. Its names, and its output, configuration and
// profile attributes interfaces through QueryInterface.
#ifndef DECKLINK_SIM_INTERFACES_DEVICE_H
#define DECKLINK_SIM_INTERFACES_DEVICE_H

#include <memory>

#include "accounting/counted_object.h"
#include "state/sim_state.h"

class SimDevice final : public SimObject<IDeckLink> {
 public:
  explicit SimDevice(std::shared_ptr<CardRuntime> card);

  HRESULT GetModelName(DeckLinkString* modelName) override;
  HRESULT GetDisplayName(DeckLinkString* displayName) override;

  QueryAnswer answerQuery(SimState& state, const DeckLinkIID& iid) override;

 private:
  const std::shared_ptr<CardRuntime> card_;
};

#endif  // DECKLINK_SIM_INTERFACES_DEVICE_H
