#include "interfaces/profile_attributes.h"

#include "accounting/call_record.h"
#include "accounting/log_values.h"
#include "util/util.h"

SimProfileAttributes::SimProfileAttributes(std::shared_ptr<CardRuntime> card)
    : SimObject("Attributes"), card_(std::move(card)) {}

HRESULT SimProfileAttributes::GetFlag(BMDDeckLinkAttributeID cfgID, bool* value) {
  StateLock lock;
  CallRecord call(lock.state(), *this, "GetFlag", fourCCText(cfgID));
  if (value != nullptr) *value = false;
  if (call.refused()) return call.refusal();
  if (value == nullptr) return call.finish(kE_POINTER);
  if (cfgID != BMDDeckLinkSupportsHDRMetadata && cfgID != BMDDeckLinkSupportsColorspaceMetadata) {
    return call.finish(kE_NOTIMPL);
  }
  *value = card_->setup.hdrMetadata;
  return call.finish(kS_OK, *value ? "true" : "false");
}

HRESULT SimProfileAttributes::GetInt(BMDDeckLinkAttributeID cfgID, int64_t* value) {
  StateLock lock;
  CallRecord call(lock.state(), *this, "GetInt", fourCCText(cfgID));
  if (value != nullptr) *value = 0;
  if (call.refused()) return call.refusal();
  if (value == nullptr) return call.finish(kE_POINTER);
  if (cfgID != BMDDeckLinkSupportedDynamicRange) return call.finish(kE_NOTIMPL);
  *value = (card_->setup.hdrPq ? bmdDynamicRangeHDRStaticPQ : 0) |
           (card_->setup.hdrHlg ? bmdDynamicRangeHDRStaticHLG : 0);
  return call.finish(kS_OK, stringPrintf("0x%llX", static_cast<unsigned long long>(*value)));
}

HRESULT SimProfileAttributes::GetFloat(BMDDeckLinkAttributeID cfgID, double* value) {
  if (value != nullptr) *value = 0;
  return notSimulatedCall(*this, "GetFloat", fourCCText(cfgID));
}

HRESULT SimProfileAttributes::GetString(BMDDeckLinkAttributeID cfgID, DeckLinkString* value) {
  if (value != nullptr) *value = nullptr;
  return notSimulatedCall(*this, "GetString", fourCCText(cfgID));
}

HRESULT SimProfileAttributes::GetStringWithParam(BMDDeckLinkAttributeID cfgID, uint64_t,
                                                 DeckLinkString* value) {
  if (value != nullptr) *value = nullptr;
  return notSimulatedCall(*this, "GetStringWithParam", fourCCText(cfgID));
}

QueryAnswer SimProfileAttributes::answerQuery(SimState&, const DeckLinkIID& iid) {
  if (sameIID(iid, IID_IUnknown) || sameIID(iid, IID_IDeckLinkProfileAttributes)) return itself();
  return QueryAnswer();
}
