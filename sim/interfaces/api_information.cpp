#include "interfaces/api_information.h"

#include "accounting/call_record.h"
#include "accounting/log_values.h"
#include "util/util.h"

SimApiInformation::SimApiInformation(int64_t version)
    : SimObject("Information"), version_(version) {}

HRESULT SimApiInformation::GetFlag(BMDDeckLinkAPIInformationID id, bool* value) {
  if (value != nullptr) *value = false;
  return notSimulatedCall(*this, "GetFlag", fourCCText(id));
}

HRESULT SimApiInformation::GetInt(BMDDeckLinkAPIInformationID id, int64_t* value) {
  StateLock lock;
  CallRecord call(lock.state(), *this, "GetInt", fourCCText(id));
  if (value != nullptr) *value = 0;
  if (call.refused()) return call.refusal();
  if (value == nullptr) return call.finish(kE_POINTER);
  if (id != BMDDeckLinkAPIVersion) return call.finish(kE_NOTIMPL);
  *value = version_;
  return call.finish(kS_OK, stringPrintf("0x%08llX", static_cast<unsigned long long>(*value)));
}

HRESULT SimApiInformation::GetFloat(BMDDeckLinkAPIInformationID id, double* value) {
  if (value != nullptr) *value = 0;
  return notSimulatedCall(*this, "GetFloat", fourCCText(id));
}

HRESULT SimApiInformation::GetString(BMDDeckLinkAPIInformationID id, DeckLinkString* value) {
  if (value != nullptr) *value = nullptr;
  return notSimulatedCall(*this, "GetString", fourCCText(id));
}

QueryAnswer SimApiInformation::answerQuery(SimState&, const DeckLinkIID& iid) {
  if (sameIID(iid, IID_IUnknown) || sameIID(iid, IID_IDeckLinkAPIInformation)) return itself();
  return QueryAnswer();
}
