// IDeckLinkConfiguration: SetFlag is recorded for the 4:4:4 SDI output flag
// (decklink_sim_config_flag reads it back); the card has no other setting,
// so every other method answers E_NOTIMPL.
#ifndef DECKLINK_SIM_INTERFACES_CONFIGURATION_INTERFACE_H
#define DECKLINK_SIM_INTERFACES_CONFIGURATION_INTERFACE_H

#include <memory>

#include "accounting/counted_object.h"
#include "state/sim_state.h"

class SimConfigurationInterface final : public SimObject<IDeckLinkConfiguration> {
 public:
  explicit SimConfigurationInterface(std::shared_ptr<CardRuntime> card);

  HRESULT SetFlag(BMDDeckLinkConfigurationID cfgID, bool value) override;
  HRESULT GetFlag(BMDDeckLinkConfigurationID cfgID, bool* value) override;
  HRESULT SetInt(BMDDeckLinkConfigurationID cfgID, int64_t value) override;
  HRESULT GetInt(BMDDeckLinkConfigurationID cfgID, int64_t* value) override;
  HRESULT SetFloat(BMDDeckLinkConfigurationID cfgID, double value) override;
  HRESULT GetFloat(BMDDeckLinkConfigurationID cfgID, double* value) override;
  HRESULT SetString(BMDDeckLinkConfigurationID cfgID, DeckLinkString value) override;
  HRESULT GetString(BMDDeckLinkConfigurationID cfgID, DeckLinkString* value) override;
  HRESULT SetFlagWithParam(BMDDeckLinkConfigurationID cfgID, uint64_t param,
                           bool value) override;
  HRESULT GetFlagWithParam(BMDDeckLinkConfigurationID cfgID, uint64_t param,
                           bool* value) override;
  HRESULT SetIntWithParam(BMDDeckLinkConfigurationID cfgID, uint64_t param,
                          int64_t value) override;
  HRESULT GetIntWithParam(BMDDeckLinkConfigurationID cfgID, uint64_t param,
                          int64_t* value) override;
  HRESULT SetFloatWithParam(BMDDeckLinkConfigurationID cfgID, uint64_t param,
                            double value) override;
  HRESULT GetFloatWithParam(BMDDeckLinkConfigurationID cfgID, uint64_t param,
                            double* value) override;
  HRESULT SetStringWithParam(BMDDeckLinkConfigurationID cfgID, uint64_t param,
                             DeckLinkString value) override;
  HRESULT GetStringWithParam(BMDDeckLinkConfigurationID cfgID, uint64_t param,
                             DeckLinkString* value) override;
  HRESULT WriteConfigurationToPreferences() override;

  QueryAnswer answerQuery(SimState& state, const DeckLinkIID& iid) override;

 private:
  // Logs the call with its setting's FourCC and answers E_NOTIMPL.
  HRESULT notSimulated(const char* method, BMDDeckLinkConfigurationID cfgID);

  const std::shared_ptr<CardRuntime> card_;
};

#endif  // DECKLINK_SIM_INTERFACES_CONFIGURATION_INTERFACE_H
