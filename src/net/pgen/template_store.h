// HCFR's templates as corvane keeps them: uploaded by name with
// SETCONF:<name>:TEMPLATERAMDISK:..., drawn by name with
// TESTTEMPLATERAMDISK:<name>:..., and kept from one connection to the next,
// since hosts reconnect between runs. The store is bounded in count and in
// bytes, so a host cannot make it grow without limit.
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
  // False, with nothing changed, when that would pass either bound.
  bool put(const std::string& name, const PgenTemplate& stored, size_t bytes) {
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

  // The template of that name, or null.
  const PgenTemplate* find(const std::string& name) const {
    const auto found = entries_.find(name);
    return found == entries_.end() ? nullptr : &found->second.stored;
  }

 private:
  struct Entry {
    PgenTemplate stored;
    size_t bytes = 0;
  };
  std::map<std::string, Entry> entries_;
  size_t bytes_ = 0;
};

#endif  // CORVANE_NET_PGEN_TEMPLATE_STORE_H
