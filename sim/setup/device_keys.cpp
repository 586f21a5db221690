#include "setup/device_keys.h"

#include <sstream>

#include "capture/frame_metadata.h"
#include "setup/setup_values.h"
#include "util/text_escapes.h"

namespace {

// "probe.hd" -> ("probe", 0); the mode index is -1 when the key has no
// mode suffix, -2 when the suffix is not a mode.
void splitModeKey(const std::string& key, std::string* base, int* mode) {
  size_t dot = key.find('.');
  if (dot == std::string::npos) {
    *base = key;
    *mode = -1;
    return;
  }
  *base = key.substr(0, dot);
  *mode = simModeByKey(key.substr(dot + 1));
  if (*mode < 0) *mode = -2;
}

bool readModes(const std::string& text, CardSetup* card, std::string* problem) {
  const char kExpected[] = "expected modes from hd, uhd, 4k (each also @<rate> or @*), or none";
  std::array<bool, kSimModeCount> modes;
  modes.fill(false);
  if (text != "none") {
    std::istringstream words(text);
    int count = 0;
    for (std::string word; words >> word; ++count) {
      const int mode = simModeByKey(word);
      const int everyRate = simFirstModeOfEveryRate(word);
      if (mode < 0 && everyRate < 0) {
        *problem = std::string(kExpected) + "; not '" + word + "'";
        return false;
      }
      if (mode >= 0) modes[mode] = true;
      for (int rate = 0; everyRate >= 0 && rate < kSimRateCount; ++rate) {
        modes[everyRate + rate] = true;
      }
    }
    if (count == 0) {
      *problem = kExpected;
      return false;
    }
  }
  card->modes = modes;
  return true;
}

bool readProbe(const std::string& text, ProbeOverride* probe, std::string* problem) {
  std::istringstream words(text);
  std::string result, flag, extra;
  words >> result >> flag >> extra;
  ProbeOverride parsed;
  if (result.empty() || flag.empty() || !extra.empty()) {
    *problem = "expected '<result> <yes|no>', not '" + text + "'";
    return false;
  }
  if (!readResult(result, &parsed.result, problem)) return false;
  if (!readBool(flag, &parsed.supported, problem)) return false;
  parsed.set = true;
  *probe = parsed;
  return true;
}

// S_OK switches the fault off: the call then does its work, so a test can
// end a fault it set with decklink_sim_set. Any other value, S_FALSE
// included, is returned instead of doing the work.
bool readOverride(const std::string& text, ResultOverride* out, std::string* problem) {
  ResultOverride parsed;
  if (!readResult(text, &parsed.result, problem)) return false;
  parsed.set = parsed.result != kS_OK;
  *out = parsed;
  return true;
}

bool readName(const std::string& text, std::string* out, std::string* problem) {
  std::string name;
  if (!unescapeText(text, &name, problem)) return false;
  *out = name;
  return true;
}

// The id names a file in the hold directory, so it must be a plain file name.
bool readId(const std::string& text, std::string* out, std::string* problem) {
  if (text.empty() || text == "." || text == ".." || text.find('/') != std::string::npos) {
    *problem = "expected a card id usable as a file name, not '" + text + "'";
    return false;
  }
  *out = text;
  return true;
}

// hdr = yes (metadata, PQ and HLG), pq or hlg (metadata and that range
// only), or no (no metadata, no range).
bool readHdr(const std::string& text, CardSetup* card, std::string* problem) {
  bool yes = false;
  if (text == "pq" || text == "hlg") {
    card->hdrMetadata = true;
    card->hdrPq = text == "pq";
    card->hdrHlg = text == "hlg";
    return true;
  }
  if (!readBool(text, &yes, problem)) {
    *problem = "expected yes, no, pq or hlg, not '" + text + "'";
    return false;
  }
  card->hdrMetadata = card->hdrPq = card->hdrHlg = yes;
  return true;
}

// metadata_set.<id>: the id one of the card's frame metadata ids.
bool readMetadataSetFault(const std::string& id, const std::string& value, CardSetup* card,
                          std::string* problem) {
  for (int i = 0; i < kMetadataIdCount; ++i) {
    if (metadataIdText(kMetadataIds[i]) == id) {
      return readOverride(value, &card->metadataSetById[kMetadataIds[i]], problem);
    }
  }
  *problem = "unknown key 'metadata_set." + id + "' in [device]";
  return false;
}

}  // namespace

bool applyDeviceKey(const std::string& key, const std::string& value, CardSetup* card,
                    std::string* problem) {
  const std::string kMetadataSet = "metadata_set.";
  if (key.compare(0, kMetadataSet.size(), kMetadataSet) == 0) {
    return readMetadataSetFault(key.substr(kMetadataSet.size()), value, card, problem);
  }
  bool inputKey = false;
  const bool inputRead = applyInputKey(key, value, &card->input, &inputKey, problem);
  if (inputKey) return inputRead;
  std::string base;
  int mode;
  splitModeKey(key, &base, &mode);
  if (mode >= 0) {
    if (base == "probe") return readProbe(value, &card->probe[mode], problem);
    if (base == "enable") return readOverride(value, &card->enable[mode], problem);
    if (base == "create_frame") return readOverride(value, &card->createFrame[mode], problem);
  } else if (mode == -1) {
    if (key == "name") return readName(value, &card->name, problem);
    if (key == "model") return readName(value, &card->model, problem);
    if (key == "name_result") return readOverride(value, &card->nameResult, problem);
    if (key == "model_result") return readOverride(value, &card->modelResult, problem);
    if (key == "name_null") return readBool(value, &card->nameNull, problem);
    if (key == "model_null") return readBool(value, &card->modelNull, problem);
    if (key == "output") return readBool(value, &card->hasOutput, problem);
    if (key == "configuration") return readBool(value, &card->hasConfiguration, problem);
    if (key == "buffer") return readBool(value, &card->hasBuffer, problem);
    if (key == "profile_attributes") return readBool(value, &card->hasProfileAttributes, problem);
    if (key == "hdr") return readHdr(value, card, problem);
    if (key == "metadata") return readBool(value, &card->hasMetadata, problem);
    if (key == "metadata_set") return readOverride(value, &card->metadataSet, problem);
    if (key == "modes") return readModes(value, card, problem);
    if (key == "display") return readOverride(value, &card->display, problem);
    if (key == "start_access") return readOverride(value, &card->startAccess, problem);
    if (key == "id") return readId(value, &card->id, problem);
    if (key == "get_bytes") {
      if (value == "null") {
        card->getBytes.set = false;
        card->getBytesNull = true;
        return true;
      }
      card->getBytesNull = false;
      return readOverride(value, &card->getBytes, problem);
    }
    if (key == "row_bytes") {
      long rowBytes = 0;
      if (!readCount(value, 0, &rowBytes, problem)) return false;
      if (rowBytes > (1 << 24)) {
        *problem = "row_bytes above 16777216 bytes";
        return false;
      }
      card->rowBytes = static_cast<int32_t>(rowBytes);
      return true;
    }
    if (key == "disable_delay_ms") {
      long delay = 0;
      if (!readCount(value, 0, &delay, problem)) return false;
      if (delay > 60000) {
        *problem = "disable_delay_ms above 60000";
        return false;
      }
      card->disableDelayMs = static_cast<int32_t>(delay);
      return true;
    }
    if (key == "row_padding") {
      long padding = 0;
      if (!readCount(value, 0, &padding, problem)) return false;
      if (padding > 65536) {
        *problem = "row_padding above 65536 bytes";
        return false;
      }
      card->rowPadding = static_cast<int32_t>(padding);
      return true;
    }
  }
  *problem = "unknown key '" + key + "' in [device]";
  return false;
}
