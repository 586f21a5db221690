#include "decklink/failure.h"

const char kNotOpenMessage[] = "no device is open";
const char kNoApiMessage[] = "Blackmagic Desktop Video does not appear to be installed";
const char kNoDeviceMessage[] = "no device at that index";
const char kNoOutputMessage[] = "device has no output interface";
const char kUnsupportedMessage[] = "device cannot output 10-bit RGB 4:4:4 at this resolution";
const char kDisplayFailedMessage[] = "DisplayVideoFrameSync failed";
const char kNotWritableMessage[] = "could not write to the frame";

const char* failureCodeName(FailureCode code) {
  switch (code) {
    case FailureCode::kNone: return "";
    case FailureCode::kBadRequest: return "bad_request";
    case FailureCode::kNoApi: return "no_api";
    case FailureCode::kNotOpen: return "not_open";
    case FailureCode::kNoDevice: return "no_device";
    case FailureCode::kNoOutput: return "no_output";
    case FailureCode::kNoInput: return "no_input";
    case FailureCode::kUnsupported: return "unsupported";
    case FailureCode::kInUse: return "in_use";
    case FailureCode::kFailed: return "failed";
  }
  return "failed";
}

const char* hresultName(HRESULT result) {
  for (const NamedResult& named : kNamedResults) {
    if (named.value == result) return named.name;
  }
  return "unknown";
}
