// HCFR's templates as corvane keeps them: uploaded by name with
// SETCONF:<name>:TEMPLATERAMDISK:..., drawn by name with
// TESTTEMPLATERAMDISK:<name>:..., and kept from one connection to the next,
// since hosts reconnect between runs. The store is bounded in count and in
// bytes, so a host cannot make it grow without limit; when a new template
// would pass a bound, the templates used least recently make room, so that
// names sent before (by any host) never keep out the host in front of it.
#ifndef CORVANE_NET_PGEN_TEMPLATE_STORE_H
#define CORVANE_NET_PGEN_TEMPLATE_STORE_H

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "render/show_picture.h"

// One rectangle of a template, placed in the frame it was uploaded for.
struct PgenTemplateRect {
  PatchRect rect;
  bool dynamic = true;  // RGB=DYNAMIC: the colour each use of the template names
  Rgb10 colour;         // otherwise its own colour
};

struct PgenTemplate {
  std::vector<PgenTemplateRect> rects;  // in the order they were uploaded
  size_t textBlocks = 0;                // DRAW=TEXT blocks, which are not drawn
};

constexpr size_t kMaxPgenTemplates = 16;
// Names and block text of every stored template together.
constexpr size_t kMaxPgenTemplateBytes = 256 * 1024;

class PgenTemplates {
 public:
  // Stores `stored` under `name`, replacing a template of that name; `bytes`
  // is what it counts against the bound (its name and its blocks as sent).
  // Others, least recently stored or drawn first, are dropped until both
  // bounds hold. False, with nothing changed, only for a template that
  // alone passes the bound of bytes.
  bool put(const std::string& name, const PgenTemplate& stored, size_t bytes) {
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

  // The template of that name, or null; finding it counts as a use.
  const PgenTemplate* find(const std::string& name) const {
    const auto found = entries_.find(name);
    if (found == entries_.end()) return nullptr;
    found->second.lastUse = ++clock_;
    return &found->second.stored;
  }

 private:
  struct Entry {
    PgenTemplate stored;
    size_t bytes = 0;
    mutable unsigned long long lastUse = 0;  // the clock's value at its last store or draw
  };
  std::map<std::string, Entry> entries_;
  size_t bytes_ = 0;
  mutable unsigned long long clock_ = 0;  // counts stores and draws
};

#endif  // CORVANE_NET_PGEN_TEMPLATE_STORE_H
