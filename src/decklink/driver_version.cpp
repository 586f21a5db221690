#include "decklink/driver_version.h"

#include "decklink/decklink_api.h"
#include "decklink/loader.h"

Failure readDriverVersion(int64_t* version) {
  IDeckLinkAPIInformation* information = CreateDeckLinkAPIInformationInstance();
  if (information == nullptr) {
    return failure(FailureCode::kFailed, "the DeckLink API has no version information");
  }
  int64_t value = 0;
  const HRESULT result = information->GetInt(BMDDeckLinkAPIVersion, &value);
  information->Release();
  if (result != kS_OK) {
    return failure(FailureCode::kFailed, std::string("the driver did not answer its version (") +
                                             hresultName(result) + ")");
  }
  *version = value;
  return {};
}

std::string driverVersionText(int64_t version) {
  const auto part = [version](int shift) { return std::to_string((version >> shift) & 0xFF); };
  return part(24) + "." + part(16) + "." + part(8);
}

std::string olderDriverCause() {
  int64_t version = 0;
  if (readDriverVersion(&version).failed() || version >= kFirstKnownDriver) return "";
  return "the driver is Desktop Video " + driverVersionText(version) +
         ", and corvane needs 16.0 or later";
}

std::string withOlderDriverCause(const std::string& refused) {
  const std::string cause = olderDriverCause();
  return cause.empty() ? refused : refused + ": " + cause;
}
