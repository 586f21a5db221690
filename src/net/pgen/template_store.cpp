#include "net/pgen/template_store.h"

bool PgenTemplates::put(const std::string& name, const PgenTemplate& stored, size_t bytes) {
  const auto same = entries_.find(name);
  const size_t replaced = same == entries_.end() ? 0 : same->second.bytes;
  const size_t count = entries_.size() + (same == entries_.end() ? 1 : 0);
  if (count > kMaxPgenTemplates || bytes > kMaxPgenTemplateBytes ||
      bytes_ - replaced > kMaxPgenTemplateBytes - bytes) {
    return false;
  }
  bytes_ = bytes_ - replaced + bytes;
  entries_[name] = {stored, bytes};
  return true;
}

const PgenTemplate* PgenTemplates::find(const std::string& name) const {
  const auto found = entries_.find(name);
  return found == entries_.end() ? nullptr : &found->second.stored;
}
