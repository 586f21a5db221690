#include "interfaces/configuration_interface.h"

#include "accounting/call_record.h"
#include "accounting/log_values.h"

SimConfigurationInterface::SimConfigurationInterface(std::shared_ptr<CardRuntime> card)
    : SimObject("Configuration"), card_(std::move(card)) {}

HRESULT SimConfigurationInterface::SetFlag(BMDDeckLinkConfigurationID cfgID, bool value) {
  StateLock lock;
  CallRecord call(lock.state(), *this, "SetFlag",
                  fourCCText(cfgID) + (value ? " true" : " false"));
  if (call.refused()) return call.refusal();
  if (cfgID != bmdDeckLinkConfig444SDIVideoOutput) return call.finish(kE_NOTIMPL);
  card_->flags[cfgID] = value;
  return call.finish(kS_OK);
}

HRESULT SimConfigurationInterface::notSimulated(const char* method,
                                                BMDDeckLinkConfigurationID cfgID) {
  return notSimulatedCall(*this, method, fourCCText(cfgID));
}

HRESULT SimConfigurationInterface::GetFlag(BMDDeckLinkConfigurationID cfgID, bool* value) {
  if (value != nullptr) *value = false;
  return notSimulated("GetFlag", cfgID);
}

HRESULT SimConfigurationInterface::SetInt(BMDDeckLinkConfigurationID cfgID, int64_t) {
  return notSimulated("SetInt", cfgID);
}

HRESULT SimConfigurationInterface::GetInt(BMDDeckLinkConfigurationID cfgID, int64_t* value) {
  if (value != nullptr) *value = 0;
  return notSimulated("GetInt", cfgID);
}

HRESULT SimConfigurationInterface::SetFloat(BMDDeckLinkConfigurationID cfgID, double) {
  return notSimulated("SetFloat", cfgID);
}

HRESULT SimConfigurationInterface::GetFloat(BMDDeckLinkConfigurationID cfgID, double* value) {
  if (value != nullptr) *value = 0;
  return notSimulated("GetFloat", cfgID);
}

HRESULT SimConfigurationInterface::SetString(BMDDeckLinkConfigurationID cfgID, DeckLinkString) {
  return notSimulated("SetString", cfgID);
}

HRESULT SimConfigurationInterface::GetString(BMDDeckLinkConfigurationID cfgID,
                                             DeckLinkString* value) {
  if (value != nullptr) *value = nullptr;
  return notSimulated("GetString", cfgID);
}

HRESULT SimConfigurationInterface::SetFlagWithParam(BMDDeckLinkConfigurationID cfgID, uint64_t,
                                                    bool) {
  return notSimulated("SetFlagWithParam", cfgID);
}

HRESULT SimConfigurationInterface::GetFlagWithParam(BMDDeckLinkConfigurationID cfgID, uint64_t,
                                                    bool* value) {
  if (value != nullptr) *value = false;
  return notSimulated("GetFlagWithParam", cfgID);
}

HRESULT SimConfigurationInterface::SetIntWithParam(BMDDeckLinkConfigurationID cfgID, uint64_t,
                                                   int64_t) {
  return notSimulated("SetIntWithParam", cfgID);
}

HRESULT SimConfigurationInterface::GetIntWithParam(BMDDeckLinkConfigurationID cfgID, uint64_t,
                                                   int64_t* value) {
  if (value != nullptr) *value = 0;
  return notSimulated("GetIntWithParam", cfgID);
}

HRESULT SimConfigurationInterface::SetFloatWithParam(BMDDeckLinkConfigurationID cfgID, uint64_t,
                                                     double) {
  return notSimulated("SetFloatWithParam", cfgID);
}

HRESULT SimConfigurationInterface::GetFloatWithParam(BMDDeckLinkConfigurationID cfgID, uint64_t,
                                                     double* value) {
  if (value != nullptr) *value = 0;
  return notSimulated("GetFloatWithParam", cfgID);
}

HRESULT SimConfigurationInterface::SetStringWithParam(BMDDeckLinkConfigurationID cfgID, uint64_t,
                                                      DeckLinkString) {
  return notSimulated("SetStringWithParam", cfgID);
}

HRESULT SimConfigurationInterface::GetStringWithParam(BMDDeckLinkConfigurationID cfgID, uint64_t,
                                                      DeckLinkString* value) {
  if (value != nullptr) *value = nullptr;
  return notSimulated("GetStringWithParam", cfgID);
}

HRESULT SimConfigurationInterface::WriteConfigurationToPreferences() {
  return notSimulatedCall(*this, "WriteConfigurationToPreferences");
}

QueryAnswer SimConfigurationInterface::answerQuery(SimState&, const DeckLinkIID& iid) {
  if (sameIID(iid, IID_IUnknown) || sameIID(iid, IID_IDeckLinkConfiguration)) return itself();
  return QueryAnswer();
}
