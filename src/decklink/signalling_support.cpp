#include "decklink/signalling_support.h"

#include "decklink/query_interface.h"

namespace {

Failure lacking(const char* what) { return failure(FailureCode::kUnsupported, what); }

// What `attributes` say the device lacks to carry `wanted`.
Failure whatIsLacking(IDeckLinkProfileAttributes* attributes, const Signalling& wanted) {
  bool yes = false;
  if (wanted.eotf == Eotf::kSdr) {
    const bool answered =
        attributes->GetFlag(BMDDeckLinkSupportsColorspaceMetadata, &yes) == kS_OK;
    return answered && yes ? Failure() : lacking("device cannot carry colour space metadata");
  }
  if (attributes->GetFlag(BMDDeckLinkSupportsHDRMetadata, &yes) != kS_OK || !yes) {
    return lacking("device cannot carry HDR metadata");
  }
  int64_t ranges = 0;
  if (attributes->GetInt(BMDDeckLinkSupportedDynamicRange, &ranges) != kS_OK) return {};
  if (wanted.eotf == Eotf::kPq && (ranges & bmdDynamicRangeHDRStaticPQ) == 0) {
    return lacking("device cannot output PQ (SMPTE ST 2084)");
  }
  if (wanted.eotf == Eotf::kHlg && (ranges & bmdDynamicRangeHDRStaticHLG) == 0) {
    return lacking("device cannot output HLG");
  }
  return {};
}

}  // namespace

Failure askCardForSignalling(IDeckLink* device, const Signalling& wanted) {
  if (isPlain(wanted)) return {};
  IDeckLinkProfileAttributes* attributes =
      queryInterface<IDeckLinkProfileAttributes>(device, IID_IDeckLinkProfileAttributes);
  if (attributes == nullptr) {
    return lacking("device cannot carry HDR metadata (it does not answer what it supports)");
  }
  const Failure lacks = whatIsLacking(attributes, wanted);
  attributes->Release();
  return lacks;
}
