// IDeckLinkProfileAttributes: what the card says it can carry. Answers the
// HDR questions (SupportsHDRMetadata, SupportsColorspaceMetadata,
// SupportedDynamicRange) from the card's `hdr` setting; every other
// attribute and method answers E_NOTIMPL.
#ifndef DECKLINK_SIM_INTERFACES_PROFILE_ATTRIBUTES_H
#define DECKLINK_SIM_INTERFACES_PROFILE_ATTRIBUTES_H

#include <memory>

#include "accounting/counted_object.h"
#include "state/sim_state.h"

class SimProfileAttributes final : public SimObject<IDeckLinkProfileAttributes> {
 public:
  explicit SimProfileAttributes(std::shared_ptr<CardRuntime> card);

  HRESULT GetFlag(BMDDeckLinkAttributeID cfgID, bool* value) override;
  HRESULT GetInt(BMDDeckLinkAttributeID cfgID, int64_t* value) override;
  HRESULT GetFloat(BMDDeckLinkAttributeID cfgID, double* value) override;
  HRESULT GetString(BMDDeckLinkAttributeID cfgID, DeckLinkString* value) override;
  HRESULT GetStringWithParam(BMDDeckLinkAttributeID cfgID, uint64_t param,
                             DeckLinkString* value) override;

  QueryAnswer answerQuery(SimState& state, const DeckLinkIID& iid) override;

 private:
  const std::shared_ptr<CardRuntime> card_;
};

#endif  // DECKLINK_SIM_INTERFACES_PROFILE_ATTRIBUTES_H
