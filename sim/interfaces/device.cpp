#include "interfaces/device.h"

#include <cstdlib>
#include <cstring>

#include "accounting/call_record.h"
#include "interfaces/configuration_interface.h"
#include "interfaces/output.h"
#include "interfaces/profile_attributes.h"
#include "util/text_escapes.h"

namespace {

// Hands out a malloc'd copy of `text`, as the driver does: the caller
// frees it with free(). Or the configured failure, or success with null.
HRESULT handOutText(CallRecord& call, const std::string& text, const ResultOverride& failure,
                    bool null, const char** out) {
  if (out != nullptr) *out = nullptr;
  if (call.refused()) return call.refusal();
  if (out == nullptr) return call.finish(kE_POINTER);
  if (failure.set) return call.finish(failure.result, "null");
  if (null) return call.finish(kS_OK, "null");
  char* copy = strdup(text.c_str());
  if (copy == nullptr) return call.finish(kE_OUTOFMEMORY, "null");
  *out = copy;
  return call.finish(kS_OK, quoteForLog(copy));
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
  if (sameIID(iid, IID_IDeckLinkOutput) && card_->setup.hasOutput) {
    SimOutput* output = createObject<SimOutput>(state, card_);
    return QueryAnswer{output, static_cast<IDeckLinkOutput*>(output)};
  }
  if (sameIID(iid, IID_IDeckLinkConfiguration) && card_->setup.hasConfiguration) {
    SimConfigurationInterface* configuration =
        createObject<SimConfigurationInterface>(state, card_);
    return QueryAnswer{configuration, static_cast<IDeckLinkConfiguration*>(configuration)};
  }
  if (sameIID(iid, IID_IDeckLinkProfileAttributes) && card_->setup.hasProfileAttributes) {
    SimProfileAttributes* attributes = createObject<SimProfileAttributes>(state, card_);
    return QueryAnswer{attributes, static_cast<IDeckLinkProfileAttributes*>(attributes)};
  }
  return QueryAnswer();
}
