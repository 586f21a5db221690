// IDeckLinkAPIInformation: what the driver says of itself. GetInt answers
// the driver's version (the [api] version setting) for BMDDeckLinkAPIVersion;
// every other id and method answers E_NOTIMPL.
#ifndef DECKLINK_SIM_INTERFACES_API_INFORMATION_H
#define DECKLINK_SIM_INTERFACES_API_INFORMATION_H

#include <cstdint>

#include "accounting/counted_object.h"
#include "state/sim_state.h"

class SimApiInformation final : public SimObject<IDeckLinkAPIInformation> {
 public:
  // `version`: the setup's when the object is made; a later configure does
  // not change what an object already handed out answers.
  explicit SimApiInformation(int64_t version);

  HRESULT GetFlag(BMDDeckLinkAPIInformationID id, bool* value) override;
  HRESULT GetInt(BMDDeckLinkAPIInformationID id, int64_t* value) override;
  HRESULT GetFloat(BMDDeckLinkAPIInformationID id, double* value) override;
  HRESULT GetString(BMDDeckLinkAPIInformationID id, DeckLinkString* value) override;

  QueryAnswer answerQuery(SimState& state, const DeckLinkIID& iid) override;

 private:
  const int64_t version_;
};

#endif  // DECKLINK_SIM_INTERFACES_API_INFORMATION_H
