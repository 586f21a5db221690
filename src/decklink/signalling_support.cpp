#include "decklink/signalling_support.h"

#include "decklink/query_interface.h"

namespace {

// The reason `attributes` gives for not carrying `wanted`, or "".
std::string whatIsLacking(IDeckLinkProfileAttributes* attributes, const Signalling& wanted) {
  bool yes = false;
  if (wanted.eotf == Eotf::kSdr) {
    const bool answered =
        attributes->GetFlag(BMDDeckLinkSupportsColorspaceMetadata, &yes) == kS_OK;
    return answered && yes ? "" : "device cannot carry colour space metadata";
  }
  if (attributes->GetFlag(BMDDeckLinkSupportsHDRMetadata, &yes) != kS_OK || !yes) {
    return "device cannot carry HDR metadata";
  }
  int64_t ranges = 0;
  if (attributes->GetInt(BMDDeckLinkSupportedDynamicRange, &ranges) != kS_OK) return "";
  if (wanted.eotf == Eotf::kPq && (ranges & bmdDynamicRangeHDRStaticPQ) == 0) {
    return "device cannot output PQ (SMPTE ST 2084)";
  }
  if (wanted.eotf == Eotf::kHlg && (ranges & bmdDynamicRangeHDRStaticHLG) == 0) {
    return "device cannot output HLG";
  }
  return "";
}

}  // namespace

Failure askCardForSignalling(IDeckLink* device, const Signalling& wanted) {
  if (isPlain(wanted)) return {};
  IDeckLinkProfileAttributes* attributes =
      queryInterface<IDeckLinkProfileAttributes>(device, IID_IDeckLinkProfileAttributes);
  if (attributes == nullptr) {
    return failure(FailureCode::kUnsupported,
                   "device cannot carry HDR metadata (it does not answer what it supports)");
  }
  const std::string lacking = whatIsLacking(attributes, wanted);
  attributes->Release();
  return lacking.empty() ? Failure() : failure(FailureCode::kUnsupported, lacking);
}
