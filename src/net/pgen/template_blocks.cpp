#include "net/pgen/template_blocks.h"

#include <map>

#include "io/format.h"
#include "net/pgen/patch_command.h"
#include "net/pgen/text_command.h"

namespace {

using Block = std::map<std::string, std::string>;

Failure bad(const std::string& why) { return failure(FailureCode::kBadRequest, why); }

// Adds one closed block to `read`.
Failure addBlock(const Block& block, int32_t width, int32_t height, PgenTemplate* read) {
  const auto draw = block.find("DRAW");
  if (draw == block.end()) return bad("a block without DRAW");
  if (draw->second == "TEXT") {
    PictureText text;
    const Failure textRead = readTextBlock(block, &text);
    if (textRead.failed()) return textRead;
    if (read->texts.size() == kMaxPictureTexts) {
      return bad("more than " + std::to_string(kMaxPictureTexts) + " TEXT blocks");
    }
    read->texts.push_back(text);
    return {};
  }
  if (draw->second != "RECTANGLE") {
    return failure(FailureCode::kUnsupported, "only DRAW=RECTANGLE and DRAW=TEXT are known, not '" +
                                                  printableText(draw->second, kQuotedValue) + "'");
  }
  for (const char* key : {"DIM", "POSITION", "RGB"}) {
    if (block.count(key) == 0) return bad(std::string("a RECTANGLE block without ") + key);
  }
  PgenTemplateRect rect;
  const Failure window =
      readPgenWindow(block.at("DIM"), block.at("POSITION"), width, height, &rect.rect);
  if (window.failed()) return window;
  const std::string& colour = block.at("RGB");
  rect.dynamic = colour == "DYNAMIC";
  if (!rect.dynamic) {
    const Failure own = readPgenColour(colour, "RGB", 255, &rect.colour);
    if (own.failed()) return own;
  }
  read->rects.push_back(rect);
  return {};
}

}  // namespace

Failure readTemplateBlocks(const std::string& blocks, int32_t width, int32_t height,
                           PgenTemplate* read) {
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
      return bad("line '" + printableText(line, kQuotedValue) + "' is not KEY=VALUE");
    }
    const std::string key = line.substr(0, equals);
    if (key == "END") {
      const Failure added = addBlock(open, width, height, &building);
      if (added.failed()) return added;
      open.clear();
    } else if (!open.emplace(key, line.substr(equals + 1)).second) {
      return bad(printableText(key, kQuotedValue) + " twice in one block");
    }
  }
  if (!open.empty()) return bad("the last block has no END=1");
  *read = building;
  return {};
}
