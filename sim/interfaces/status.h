// IDeckLinkStatus: what the card is doing now. Answers the output's mode
// and pixel format, and the input's signal: locked, its detected mode and
// format flags, the mode and pixel format it captures, and whether the card
// is busy; other items E_NOTIMPL.
#ifndef DECKLINK_SIM_INTERFACES_STATUS_H
#define DECKLINK_SIM_INTERFACES_STATUS_H

#include <memory>

#include "accounting/counted_object.h"
#include "decklink/decklink_input_api.h"
#include "state/sim_state.h"

class SimStatus final : public SimObject<IDeckLinkStatus> {
 public:
  explicit SimStatus(std::shared_ptr<CardRuntime> card);

  HRESULT GetFlag(BMDDeckLinkStatusID statusID, bool* value) override;
  HRESULT GetInt(BMDDeckLinkStatusID statusID, int64_t* value) override;
  HRESULT GetFloat(BMDDeckLinkStatusID statusID, double* value) override;
  HRESULT GetString(BMDDeckLinkStatusID statusID, DeckLinkString* value) override;
  HRESULT GetBytes(BMDDeckLinkStatusID statusID, void* buffer, uint32_t* bufferSize) override;
  HRESULT GetInterface(BMDDeckLinkStatusID statusID, void** value) override;
  HRESULT GetFlagWithParam(BMDDeckLinkStatusID statusID, uint64_t param, bool* value) override;
  HRESULT GetIntWithParam(BMDDeckLinkStatusID statusID, uint64_t param, int64_t* value) override;
  HRESULT GetFloatWithParam(BMDDeckLinkStatusID statusID, uint64_t param,
                            double* value) override;
  HRESULT GetStringWithParam(BMDDeckLinkStatusID statusID, uint64_t param,
                             DeckLinkString* value) override;
  HRESULT GetBytesWithParam(BMDDeckLinkStatusID statusID, uint64_t param, void* buffer,
                            uint32_t* bufferSize) override;

  QueryAnswer answerQuery(SimState& state, const DeckLinkIID& iid) override;

 private:
  const std::shared_ptr<CardRuntime> card_;
};

#endif  // DECKLINK_SIM_INTERFACES_STATUS_H
