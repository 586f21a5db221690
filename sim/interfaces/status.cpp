#include "interfaces/status.h"

#include "accounting/call_record.h"
#include "accounting/log_values.h"
#include "interfaces/input.h"
#include "util/util.h"

SimStatus::SimStatus(std::shared_ptr<CardRuntime> card)
    : SimObject("Status"), card_(std::move(card)) {}

HRESULT SimStatus::GetFlag(BMDDeckLinkStatusID statusID, bool* value) {
  StateLock lock;
  CallRecord call(lock.state(), *this, "GetFlag", fourCCText(statusID));
  if (value != nullptr) *value = false;
  if (call.refused()) return call.refusal();
  if (value == nullptr) return call.finish(kE_POINTER);
  if (statusID != bmdDeckLinkStatusVideoInputSignalLocked || !card_->setup.input.hasInput) {
    return call.finish(kE_NOTIMPL);
  }
  *value = card_->inputEnabled && signalModeAt(lock.state(), *card_) == card_->inputMode;
  return call.finish(kS_OK, *value ? "true" : "false");
}

HRESULT SimStatus::GetInt(BMDDeckLinkStatusID statusID, int64_t* value) {
  StateLock lock;
  CallRecord call(lock.state(), *this, "GetInt", fourCCText(statusID));
  if (value != nullptr) *value = 0;
  if (call.refused()) return call.refusal();
  if (value == nullptr) return call.finish(kE_POINTER);
  const InputSetup& link = card_->setup.input;
  const BMDDisplayMode signal = link.hasInput ? signalModeAt(lock.state(), *card_) : 0;
  switch (statusID) {
    case bmdDeckLinkStatusCurrentVideoOutputMode:
      if (!card_->enabled) return call.finish(kE_FAIL);
      *value = card_->mode;
      break;
    case bmdDeckLinkStatusLastVideoOutputPixelFormat:
      if (card_->wire == nullptr && !card_->enabled) return call.finish(kE_FAIL);
      *value = bmdFormat10BitRGB;
      break;
    case bmdDeckLinkStatusDetectedVideoInputMode:
      if (!link.hasInput) return call.finish(kE_NOTIMPL);
      *value = signal != 0 ? signal : bmdModeUnknown;
      break;
    case bmdDeckLinkStatusDetectedVideoInputFormatFlags:
      if (!link.hasInput || signal == 0) return call.finish(kE_NOTIMPL);
      *value = (link.chroma422 ? bmdDetectedVideoInputYCbCr422 : bmdDetectedVideoInputRGB444) |
               (link.lowBits ? bmdDetectedVideoInput8BitDepth : bmdDetectedVideoInput10BitDepth);
      break;
    case bmdDeckLinkStatusCurrentVideoInputMode:
    case bmdDeckLinkStatusCurrentVideoInputPixelFormat:
      if (!card_->inputEnabled) return call.finish(kE_FAIL);
      *value =
          statusID == bmdDeckLinkStatusCurrentVideoInputMode ? card_->inputMode : bmdFormat10BitRGB;
      break;
    case bmdDeckLinkStatusBusy:
      *value = (card_->inputEnabled ? 0x1 : 0) | (card_->enabled ? 0x2 : 0);
      break;
    default:
      return call.finish(kE_NOTIMPL);
  }
  return call.finish(kS_OK, fourCCText(static_cast<uint32_t>(*value)));
}

HRESULT SimStatus::GetFloat(BMDDeckLinkStatusID statusID, double* value) {
  if (value != nullptr) *value = 0;
  return notSimulatedCall(*this, "GetFloat", fourCCText(statusID));
}

HRESULT SimStatus::GetString(BMDDeckLinkStatusID statusID, DeckLinkString* value) {
  if (value != nullptr) *value = nullptr;
  return notSimulatedCall(*this, "GetString", fourCCText(statusID));
}

HRESULT SimStatus::GetBytes(BMDDeckLinkStatusID statusID, void*, uint32_t*) {
  return notSimulatedCall(*this, "GetBytes", fourCCText(statusID));
}

HRESULT SimStatus::GetInterface(BMDDeckLinkStatusID statusID, void** value) {
  if (value != nullptr) *value = nullptr;
  return notSimulatedCall(*this, "GetInterface", fourCCText(statusID));
}

HRESULT SimStatus::GetFlagWithParam(BMDDeckLinkStatusID statusID, uint64_t, bool* value) {
  if (value != nullptr) *value = false;
  return notSimulatedCall(*this, "GetFlagWithParam", fourCCText(statusID));
}

HRESULT SimStatus::GetIntWithParam(BMDDeckLinkStatusID statusID, uint64_t, int64_t* value) {
  if (value != nullptr) *value = 0;
  return notSimulatedCall(*this, "GetIntWithParam", fourCCText(statusID));
}

HRESULT SimStatus::GetFloatWithParam(BMDDeckLinkStatusID statusID, uint64_t, double* value) {
  if (value != nullptr) *value = 0;
  return notSimulatedCall(*this, "GetFloatWithParam", fourCCText(statusID));
}

HRESULT SimStatus::GetStringWithParam(BMDDeckLinkStatusID statusID, uint64_t,
                                      DeckLinkString* value) {
  if (value != nullptr) *value = nullptr;
  return notSimulatedCall(*this, "GetStringWithParam", fourCCText(statusID));
}

HRESULT SimStatus::GetBytesWithParam(BMDDeckLinkStatusID statusID, uint64_t, void*, uint32_t*) {
  return notSimulatedCall(*this, "GetBytesWithParam", fourCCText(statusID));
}

QueryAnswer SimStatus::answerQuery(SimState&, const DeckLinkIID& iid) {
  if (sameIID(iid, IID_IUnknown) || sameIID(iid, IID_IDeckLinkStatus)) return itself();
  return QueryAnswer();
}
