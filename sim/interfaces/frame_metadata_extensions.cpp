#include "interfaces/frame_metadata_extensions.h"

#include <algorithm>

#include "accounting/call_record.h"
#include "accounting/log_values.h"

SimFrameMetadataExtensions::SimFrameMetadataExtensions(std::shared_ptr<CardRuntime> card,
                                                       std::shared_ptr<FrameMetadata> metadata)
    : SimObject("Metadata"), card_(std::move(card)), metadata_(std::move(metadata)) {}

HRESULT SimFrameMetadataExtensions::set(const char* method, const MetadataValue& value) {
  StateLock lock;
  CallRecord call(lock.state(), *this, method,
                  metadataIdText(value.id) + " " + metadataValueText(value));
  if (call.refused()) return call.refusal();
  auto fault = card_->setup.metadataSetById.find(value.id);
  if (fault != card_->setup.metadataSetById.end() && fault->second.set) {
    return call.finish(fault->second.result);
  }
  if (card_->setup.metadataSet.set) return call.finish(card_->setup.metadataSet.result);
  // An id the card does not keep, or a value of the other kind.
  const int index = metadataIdIndex(value.id);
  if (index < 0 || metadataIdIsFloat(value.id) != value.isFloat) {
    return call.finish(kE_INVALIDARG);
  }
  std::vector<MetadataValue>& values = metadata_->values;
  auto at = std::find_if(values.begin(), values.end(),
                         [&](const MetadataValue& kept) { return kept.id == value.id; });
  if (at != values.end()) {
    *at = value;
  } else {
    // Kept in the card's order of ids, so every record reads the same way.
    auto later = std::find_if(values.begin(), values.end(), [&](const MetadataValue& kept) {
      return metadataIdIndex(kept.id) > index;
    });
    values.insert(later, value);
  }
  return call.finish(kS_OK);
}

HRESULT SimFrameMetadataExtensions::get(const char* method, uint32_t id, bool isFloat,
                                        int64_t* integer, double* number) {
  if (integer != nullptr) *integer = 0;
  if (number != nullptr) *number = 0;
  StateLock lock;
  CallRecord call(lock.state(), *this, method, metadataIdText(id));
  if (call.refused()) return call.refusal();
  if (isFloat ? number == nullptr : integer == nullptr) return call.finish(kE_POINTER);
  for (const MetadataValue& kept : metadata_->values) {
    if (kept.id == id && kept.isFloat == isFloat) {
      if (isFloat) {
        *number = kept.floatValue;
      } else {
        *integer = kept.intValue;
      }
      return call.finish(kS_OK, metadataValueText(kept));
    }
  }
  return call.finish(kE_INVALIDARG, "unset");
}

HRESULT SimFrameMetadataExtensions::SetInt(BMDDeckLinkFrameMetadataID metadataID, int64_t value) {
  return set("SetInt", MetadataValue{metadataID, false, value, 0});
}

HRESULT SimFrameMetadataExtensions::SetFloat(BMDDeckLinkFrameMetadataID metadataID,
                                             double value) {
  return set("SetFloat", MetadataValue{metadataID, true, 0, value});
}

HRESULT SimFrameMetadataExtensions::GetInt(BMDDeckLinkFrameMetadataID metadataID,
                                           int64_t* value) {
  return get("GetInt", metadataID, false, value, nullptr);
}

HRESULT SimFrameMetadataExtensions::GetFloat(BMDDeckLinkFrameMetadataID metadataID,
                                             double* value) {
  return get("GetFloat", metadataID, true, nullptr, value);
}

HRESULT SimFrameMetadataExtensions::GetFlag(BMDDeckLinkFrameMetadataID metadataID, bool* value) {
  if (value != nullptr) *value = false;
  return notSimulatedCall(*this, "GetFlag", fourCCText(metadataID));
}

HRESULT SimFrameMetadataExtensions::GetString(BMDDeckLinkFrameMetadataID metadataID,
                                              DeckLinkString* value) {
  if (value != nullptr) *value = nullptr;
  return notSimulatedCall(*this, "GetString", fourCCText(metadataID));
}

HRESULT SimFrameMetadataExtensions::GetBytes(BMDDeckLinkFrameMetadataID metadataID, void*,
                                             uint32_t*) {
  return notSimulatedCall(*this, "GetBytes", fourCCText(metadataID));
}

HRESULT SimFrameMetadataExtensions::SetFlag(BMDDeckLinkFrameMetadataID metadataID, bool) {
  return notSimulatedCall(*this, "SetFlag", fourCCText(metadataID));
}

HRESULT SimFrameMetadataExtensions::SetString(BMDDeckLinkFrameMetadataID metadataID,
                                              DeckLinkString) {
  return notSimulatedCall(*this, "SetString", fourCCText(metadataID));
}

HRESULT SimFrameMetadataExtensions::SetBytes(BMDDeckLinkFrameMetadataID metadataID, void*,
                                             uint32_t) {
  return notSimulatedCall(*this, "SetBytes", fourCCText(metadataID));
}

QueryAnswer SimFrameMetadataExtensions::answerQuery(SimState&, const DeckLinkIID& iid) {
  if (sameIID(iid, IID_IUnknown) || sameIID(iid, IID_IDeckLinkVideoFrameMetadataExtensions) ||
      sameIID(iid, IID_IDeckLinkVideoFrameMutableMetadataExtensions)) {
    return itself();
  }
  return QueryAnswer();
}
