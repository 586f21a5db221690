// The decklink_sim_* control functions tests call (decklink_sim.h).
#include "decklink_sim.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "accounting/log_audit.h"
#include "setup/apply_setup.h"
#include "setup/device_keys.h"
#include "setup/setup_parser.h"
#include "state/sim_state.h"

namespace {

const char* keep(SimState& state, std::string text) {
  state.returned = std::move(text);
  return state.returned.c_str();
}

void copyMetadata(const FrameMetadata& metadata, decklink_sim_frame_metadata* out) {
  *out = decklink_sim_frame_metadata();
  out->flags = metadata.flags;
  for (const MetadataValue& value : metadata.values) {
    if (out->count == DECKLINK_SIM_METADATA_MAX) break;
    decklink_sim_metadata_value& copy = out->values[out->count++];
    copy.id = value.id;
    copy.is_float = value.isFloat ? 1 : 0;
    copy.int_value = value.intValue;
    copy.float_value = value.floatValue;
  }
}

CardRuntime* cardAt(SimState& state, int index) {
  if (index < 0 || static_cast<size_t>(index) >= state.cards.size()) return nullptr;
  return state.cards[static_cast<size_t>(index)].get();
}

}  // namespace

int decklink_sim_configure(const char* text) {
  StateLock lock;
  SimState& state = lock.state();
  state.log.keepInMemory(true);
  SimSetup setup;
  SetupTextError error;
  if (text == nullptr) {
    setup = defaultSetup();
  } else if (!parseSetupText(text, &setup, &error)) {
    std::string ignored;  // an empty setup opens no file
    applySetup(state, SimSetup(), &ignored);
    state.setupError = "line " + std::to_string(error.line) + ": " + error.message;
    return error.line;
  }
  state.log.keepInMemory(setup.logMemory);
  std::string problem;
  if (!applySetup(state, setup, &problem)) {
    state.setupError = "line " + std::to_string(setup.logFileLine) + ": " + problem;
    return setup.logFileLine;
  }
  markReconfigured(state);
  return 0;
}

const char* decklink_sim_config_error(void) {
  StateLock lock;
  return keep(lock.state(), lock.state().setupError);
}

int decklink_sim_use_environment(void) {
  StateLock lock;
  lock.state().log.keepInMemory(true);
  const bool ok = applyEnvironmentSetup(lock.state());
  markReconfigured(lock.state());
  return ok ? 0 : -1;
}

int decklink_sim_set(int index, const char* line) {
  StateLock lock;
  SimState& state = lock.state();
  CardRuntime* card = cardAt(state, index);
  std::string key, value, problem;
  if (card == nullptr || line == nullptr) return -1;
  std::string text = line;
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  // Applied to a copy, so a bad value leaves the card as it was.
  CardSetup changed = card->setup;
  if (!splitKeyValue(text, &key, &value)) {
    state.setupError = "line 1: expected 'key = value'";
    return -1;
  }
  if (!applyDeviceKey(key, value, &changed, &problem)) {
    state.setupError = "line 1: " + problem;
    return -1;
  }
  card->setup = changed;
  state.setupError.clear();
  return 0;
}

const char* decklink_sim_log(void) {
  StateLock lock;
  return keep(lock.state(), lock.state().log.text());
}

void decklink_sim_clear_log(void) {
  StateLock lock;
  lock.state().log.clear();
}

long decklink_sim_live_objects(void) {
  StateLock lock;
  return lock.state().objects.live();
}

long decklink_sim_over_releases(void) {
  StateLock lock;
  return lock.state().overReleases;
}

long decklink_sim_misuse_count(void) {
  StateLock lock;
  return lock.state().misuses;
}

const char* decklink_sim_report(void) {
  StateLock lock;
  SimState& state = lock.state();
  return keep(state, state.objects.liveReport(state.epoch) + state.problems);
}

long decklink_sim_audit_log_file(const char* path, long pid, const char** report) {
  std::string text;
  bool readable = false;
  if (path != nullptr) {
    if (std::FILE* file = std::fopen(path, "rb")) {
      char chunk[65536];
      size_t got;
      while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) text.append(chunk, got);
      readable = std::ferror(file) == 0;
      std::fclose(file);
    }
  }
  std::string found;
  const long problems = readable ? auditLogText(text, pid, &found) : -1;
  StateLock lock;
  const char* kept = keep(lock.state(), found);
  if (report != nullptr) *report = kept;
  return problems;
}

long decklink_sim_displayed_count(void) {
  StateLock lock;
  return lock.state().displayed;
}

int decklink_sim_last_frame(struct decklink_sim_frame* out) {
  StateLock lock;
  SimState& state = lock.state();
  if (out == nullptr || !state.hasLastFrame) return 0;
  const CaptureHeader& header = state.lastFrameHeader;
  out->width = header.width;
  out->height = header.height;
  out->row_bytes = header.rowBytes;
  out->pixel_format = bmdFormat10BitRGB;
  out->sequence = header.sequence;
  out->bytes = state.lastFrame.data();
  out->size = state.lastFrame.size();
  return 1;
}

int decklink_sim_output_enabled(int index, uint32_t* display_mode) {
  StateLock lock;
  CardRuntime* card = cardAt(lock.state(), index);
  if (card == nullptr || !card->enabled) return 0;
  if (display_mode != nullptr) *display_mode = card->mode;
  return 1;
}

int decklink_sim_config_flag(int index, uint32_t flag_id, int* value) {
  StateLock lock;
  CardRuntime* card = cardAt(lock.state(), index);
  if (card == nullptr) return 0;
  auto found = card->flags.find(flag_id);
  if (found == card->flags.end()) return 0;
  if (value != nullptr) *value = found->second ? 1 : 0;
  return 1;
}

int decklink_sim_read_frame_file(const char* path, struct decklink_sim_frame* out) {
  if (path == nullptr || out == nullptr) return 0;
  CaptureHeader header;
  unsigned char* bytes = nullptr;
  std::string problem;
  if (!readCaptureFile(path, &header, &bytes, &problem)) return 0;
  out->width = header.width;
  out->height = header.height;
  out->row_bytes = header.rowBytes;
  out->pixel_format = bmdFormat10BitRGB;
  out->sequence = header.sequence;
  out->bytes = bytes;
  out->size = uint64_t(header.height) * uint64_t(header.rowBytes);
  return 1;
}

int decklink_sim_last_metadata(struct decklink_sim_frame_metadata* out) {
  StateLock lock;
  SimState& state = lock.state();
  if (out == nullptr || !state.hasLastMetadata) return 0;
  copyMetadata(state.lastMetadata, out);
  return 1;
}

int decklink_sim_read_frame_file_metadata(const char* path,
                                          struct decklink_sim_frame_metadata* out) {
  if (path == nullptr || out == nullptr) return 0;
  CaptureHeader header;
  unsigned char* bytes = nullptr;
  std::string problem;
  if (!readCaptureFile(path, &header, &bytes, &problem)) return 0;
  std::free(bytes);
  copyMetadata(header.metadata, out);
  return 1;
}
