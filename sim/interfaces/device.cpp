#include "interfaces/device.h"

#include "accounting/call_record.h"
#include "interfaces/configuration_interface.h"
#include "interfaces/driver_string.h"
#include "interfaces/input.h"
#include "interfaces/output.h"
#include "interfaces/profile_attributes.h"
#include "interfaces/status.h"
#include "util/text_escapes.h"

namespace {

// Hands out a new copy of `text` as the driver does (see driver_string.h),
// or the configured failure, or success with null. A name the platform's
// strings cannot carry fails the call with E_FAIL and no string.
HRESULT handOutText(CallRecord& call, const std::string& text, const ResultOverride& failure,
                    bool null, DeckLinkString* out) {
  if (out != nullptr) *out = nullptr;
  if (call.refused()) return call.refusal();
  if (out == nullptr) return call.finish(kE_POINTER);
  if (failure.set) return call.finish(failure.result, "null");
  if (null) return call.finish(kS_OK, "null");
  if (!driverStringCanHold(text)) return call.finish(kE_FAIL, "null not-utf8");
  DeckLinkString copy = newDriverString(text);
  if (copy == nullptr) return call.finish(kE_OUTOFMEMORY, "null");
  *out = copy;
  return call.finish(kS_OK, quoteForLog(text.c_str()));
}

}  // namespace

SimDevice::SimDevice(std::shared_ptr<CardRuntime> card)
    : SimObject("Device"), card_(std::move(card)) {}

HRESULT SimDevice::GetModelName(DeckLinkString* modelName) {
  StateLock lock;
  CallRecord call(lock.state(), *this, "GetModelName", "");
  const CardSetup& setup = card_->setup;
  return handOutText(call, setup.model, setup.modelResult, setup.modelNull, modelName);
}

HRESULT SimDevice::GetDisplayName(DeckLinkString* displayName) {
  StateLock lock;
  CallRecord call(lock.state(), *this, "GetDisplayName", "");
  const CardSetup& setup = card_->setup;
  return handOutText(call, setup.name, setup.nameResult, setup.nameNull, displayName);
}

QueryAnswer SimDevice::answerQuery(SimState& state, const DeckLinkIID& iid) {
  if (sameIID(iid, IID_IUnknown) || sameIID(iid, IID_IDeckLink)) return itself();
  // Each query hands out a new object: the card's state lives in the card,
  // which they all share.
  // A driver older than 16.0 knows these two under older identifiers only.
  const bool older = !state.setup.api.interfaces16;
  if (sameIID(iid, IID_IDeckLinkOutput) && card_->setup.hasOutput && !older) {
    SimOutput* output = createObject<SimOutput>(state, card_);
    return QueryAnswer{output, static_cast<IDeckLinkOutput*>(output)};
  }
  if (sameIID(iid, IID_IDeckLinkConfiguration) && card_->setup.hasConfiguration && !older) {
    SimConfigurationInterface* configuration =
        createObject<SimConfigurationInterface>(state, card_);
    return QueryAnswer{configuration, static_cast<IDeckLinkConfiguration*>(configuration)};
  }
  if (sameIID(iid, IID_IDeckLinkProfileAttributes) && card_->setup.hasProfileAttributes) {
    SimProfileAttributes* attributes = createObject<SimProfileAttributes>(state, card_);
    return QueryAnswer{attributes, static_cast<IDeckLinkProfileAttributes*>(attributes)};
  }
  const InputSetup& input = card_->setup.input;
  const DeckLinkIID& inputIid =
      input.olderGeneration ? IID_IDeckLinkInput_v15_3_1 : IID_IDeckLinkInput;
  if (sameIID(iid, inputIid) && input.hasInput) {
    SimInput* input = createObject<SimInput>(state, card_);
    return QueryAnswer{input, static_cast<IDeckLinkInput*>(input)};
  }
  if (sameIID(iid, IID_IDeckLinkStatus)) {
    SimStatus* status = createObject<SimStatus>(state, card_);
    return QueryAnswer{status, static_cast<IDeckLinkStatus*>(status)};
  }
  return QueryAnswer();
}
