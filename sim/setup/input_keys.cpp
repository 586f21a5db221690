#include "setup/display_modes.h"
#include "setup/input_setup.h"
#include "setup/setup_values.h"

namespace {

bool readLimited(const std::string& value, long most, int* out, std::string* problem) {
  long count = 0;
  if (!readCount(value, 0, &count, problem)) return false;
  if (count > most) {
    *problem = "above " + std::to_string(most);
    return false;
  }
  *out = static_cast<int>(count);
  return true;
}

bool readPixelFaults(const std::string& value, InputSetup* input, std::string* problem) {
  InputSetup read = *input;
  read.lowBits = read.sdiClip = read.chroma422 = read.videoLevels = false;
  size_t start = 0;
  while (start < value.size()) {
    size_t end = value.find(' ', start);
    if (end == std::string::npos) end = value.size();
    const std::string word = value.substr(start, end - start);
    start = end + 1;
    if (word.empty() || word == "exact") continue;
    if (word == "low_bits") {
      read.lowBits = true;
    } else if (word == "sdi_clip") {
      read.sdiClip = true;
    } else if (word == "chroma_422") {
      read.chroma422 = true;
    } else if (word == "video_levels") {
      read.videoLevels = true;
    } else {
      *problem =
          "expected exact, low_bits, sdi_clip, chroma_422 or video_levels, not '" + word + "'";
      return false;
    }
  }
  *input = read;
  return true;
}

}  // namespace

bool applyInputKey(const std::string& key, const std::string& value, InputSetup* input, bool* known,
                   std::string* problem) {
  *known = true;
  if (key == "input") {
    input->olderGeneration = value == "older";
    if (input->olderGeneration) return input->hasInput = true;
    return readBool(value, &input->hasInput, problem);
  }
  if (key == "cable") {
    if (value == "none") {
      input->cableFrom = -1;
      return true;
    }
    return readLimited(value, 1000, &input->cableFrom, problem);
  }
  if (key == "link.frame_ms") {
    if (!readLimited(value, 1000, &input->frameMs, problem)) return false;
    if (input->frameMs > 0) return true;
    *problem = "link.frame_ms must be 1 or more";
    return false;
  }
  if (key == "link.delay") return readLimited(value, 100, &input->delay, problem);
  if (key == "link.drop_every") return readLimited(value, 100000, &input->dropEvery, problem);
  if (key == "link.pixels") return readPixelFaults(value, input, problem);
  if (key == "link.metadata") {
    if (value == "keep" || value == "drop" || value == "change") {
      input->metadata = value == "keep"   ? LinkMetadata::kKeep
                        : value == "drop" ? LinkMetadata::kDrop
                                          : LinkMetadata::kChange;
      return true;
    }
    *problem = "expected keep, drop or change, not '" + value + "'";
    return false;
  }
  if (key == "link.mode") {
    input->otherMode = simModeByKey(value);
    if (input->otherMode >= 0) return true;
    *problem = "expected a mode (hd, uhd@50, ...), not '" + value + "'";
    return false;
  }
  *known = false;
  return false;
}
