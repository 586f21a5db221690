#include "decklink/device_status.h"

#include "decklink/decklink_input_api.h"
#include "decklink/query_interface.h"

namespace {

// The 16.0 status interface, else the older generation's (the same slots
// 3-7, the only ones read).
IDeckLinkStatus* statusOf(IDeckLink* device) {
  if (IDeckLinkStatus* status = queryInterface<IDeckLinkStatus>(device, IID_IDeckLinkStatus)) {
    return status;
  }
  return queryInterface<IDeckLinkStatus>(device, IID_IDeckLinkStatus_v15_3_1);
}

std::string fourCCWord(int64_t value) {
  std::string word;
  for (int shift = 24; shift >= 0; shift -= 8) {
    const char c = static_cast<char>((value >> shift) & 0xFF);
    word += (c >= 0x20 && c < 0x7F) ? c : '?';
  }
  return word;
}

// An integer item as a FourCC, or "" when the device does not answer it.
std::string fourCCItem(IDeckLinkStatus* status, BMDDeckLinkStatusID id) {
  int64_t value = 0;
  if (status->GetInt(id, &value) != kS_OK) return "";
  return value == int64_t{bmdModeUnknown} ? "unknown" : fourCCWord(value);
}

std::string formatFlagsText(int64_t flags) {
  std::string text = (flags & bmdDetectedVideoInputRGB444) != 0     ? "RGB 4:4:4"
                     : (flags & bmdDetectedVideoInputYCbCr422) != 0 ? "YCbCr 4:2:2"
                                                                    : "?";
  if ((flags & bmdDetectedVideoInput12BitDepth) != 0) text += ", 12-bit";
  if ((flags & bmdDetectedVideoInput10BitDepth) != 0) text += ", 10-bit";
  if ((flags & bmdDetectedVideoInput8BitDepth) != 0) text += ", 8-bit";
  return text;
}

void addPart(std::string* text, const std::string& part) {
  if (!part.empty()) *text += (text->empty() ? "" : ", ") + part;
}

}  // namespace

std::string outputStatusText(IDeckLink* device) {
  IDeckLinkStatus* status = device != nullptr ? statusOf(device) : nullptr;
  if (status == nullptr) return "status not available";
  std::string text;
  const std::string mode = fourCCItem(status, bmdDeckLinkStatusCurrentVideoOutputMode);
  const std::string format = fourCCItem(status, bmdDeckLinkStatusLastVideoOutputPixelFormat);
  if (!mode.empty()) addPart(&text, "outputting " + mode + (format.empty() ? "" : " in " + format));
  status->Release();
  return text.empty() ? "status not answered" : text;
}

std::string detectedInputMode(IDeckLink* device) {
  IDeckLinkStatus* status = device != nullptr ? statusOf(device) : nullptr;
  if (status == nullptr) return "";
  const std::string detected = fourCCItem(status, bmdDeckLinkStatusDetectedVideoInputMode);
  status->Release();
  return detected == "unknown" ? "" : detected;
}

std::string inputStatusText(IDeckLink* device) {
  IDeckLinkStatus* status = device != nullptr ? statusOf(device) : nullptr;
  if (status == nullptr) return "status not available";
  std::string text;
  bool locked = false;
  if (status->GetFlag(bmdDeckLinkStatusVideoInputSignalLocked, &locked) == kS_OK) {
    addPart(&text, locked ? "signal locked" : "no signal locked");
  }
  const std::string detected = fourCCItem(status, bmdDeckLinkStatusDetectedVideoInputMode);
  int64_t flags = 0;
  if (!detected.empty()) {
    const bool flagged =
        status->GetInt(bmdDeckLinkStatusDetectedVideoInputFormatFlags, &flags) == kS_OK;
    addPart(&text, "detected " + detected + (flagged ? " (" + formatFlagsText(flags) + ")" : ""));
  }
  const std::string mode = fourCCItem(status, bmdDeckLinkStatusCurrentVideoInputMode);
  const std::string format = fourCCItem(status, bmdDeckLinkStatusCurrentVideoInputPixelFormat);
  if (!mode.empty()) addPart(&text, "capturing " + mode + (format.empty() ? "" : " in " + format));
  status->Release();
  return text.empty() ? "status not answered" : text;
}
