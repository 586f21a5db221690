#include "net/pgen/template_store.h"

bool PgenTemplates::put(const std::string& name, const PgenTemplate& stored, size_t bytes) {
  if (bytes > kMaxPgenTemplateBytes) return false;
  const auto same = entries_.find(name);
  if (same != entries_.end()) {
    bytes_ -= same->second.bytes;
    entries_.erase(same);
  }
  // The least recently used make room, one by one: at most 16 looks at 16.
  while (entries_.size() + 1 > kMaxPgenTemplates || bytes_ > kMaxPgenTemplateBytes - bytes) {
    auto oldest = entries_.begin();
    for (auto entry = entries_.begin(); entry != entries_.end(); ++entry) {
      if (entry->second.lastUse < oldest->second.lastUse) oldest = entry;
    }
    bytes_ -= oldest->second.bytes;
    entries_.erase(oldest);
  }
  bytes_ += bytes;
  entries_[name] = {stored, bytes, ++clock_};
  return true;
}

const PgenTemplate* PgenTemplates::find(const std::string& name) const {
  const auto found = entries_.find(name);
  if (found == entries_.end()) return nullptr;
  found->second.lastUse = ++clock_;
  return &found->second.stored;
}
