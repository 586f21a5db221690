#include "net/pgen/template_blocks.h"

#include <map>

#include "net/pgen/patch_command.h"
#include "net/printable_text.h"

namespace {

using Block = std::map<std::string, std::string>;

TemplateRead bad(const std::string& why, std::string* problem) {
  *problem = why;
  return TemplateRead::kBad;
}

// Adds one closed block to `read`.
TemplateRead addBlock(const Block& block, int32_t width, int32_t height, PgenTemplate* read,
                      std::string* problem) {
  const auto draw = block.find("DRAW");
  if (draw == block.end()) return bad("a block without DRAW", problem);
  if (draw->second == "TEXT") {
    ++read->textBlocks;
    return TemplateRead::kTemplate;
  }
  if (draw->second != "RECTANGLE") {
    *problem = "only DRAW=RECTANGLE and DRAW=TEXT are known, not '" +
               printableText(draw->second, 40) + "'";
    return TemplateRead::kUnsupported;
  }
  for (const char* key : {"DIM", "POSITION", "RGB"}) {
    if (block.count(key) == 0) return bad(std::string("a RECTANGLE block without ") + key, problem);
  }
  PgenTemplateRect rect;
  if (!readPgenWindow(block.at("DIM"), block.at("POSITION"), width, height, &rect.rect,
                      problem)) {
    return TemplateRead::kBad;
  }
  const std::string& colour = block.at("RGB");
  rect.dynamic = colour == "DYNAMIC";
  if (!rect.dynamic && !readPgenColour(colour, "RGB", 255, &rect.colour, problem)) {
    return TemplateRead::kBad;
  }
  read->rects.push_back(rect);
  return TemplateRead::kTemplate;
}

}  // namespace

TemplateRead readTemplateBlocks(const std::string& blocks, int32_t width, int32_t height,
                                PgenTemplate* read, std::string* problem) {
  PgenTemplate building;
  Block open;
  size_t start = 0;
  while (start < blocks.size()) {
    size_t end = blocks.find('\n', start);
    if (end == std::string::npos) end = blocks.size();
    std::string line = blocks.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    const size_t equals = line.find('=');
    if (equals == std::string::npos) {
      return bad("line '" + printableText(line, 40) + "' is not KEY=VALUE", problem);
    }
    const std::string key = line.substr(0, equals);
    if (key == "END") {
      const TemplateRead added = addBlock(open, width, height, &building, problem);
      if (added != TemplateRead::kTemplate) return added;
      open.clear();
    } else if (!open.emplace(key, line.substr(equals + 1)).second) {
      return bad(printableText(key, 40) + " twice in one block", problem);
    }
  }
  if (!open.empty()) return bad("the last block has no END=1", problem);
  *read = building;
  return TemplateRead::kTemplate;
}
