#include "net/pgen/text_command.h"

#include <vector>

#include "net/pgen/patch_command.h"

namespace {

Failure bad(const std::string& why) { return failure(FailureCode::kBadRequest, why); }

// The size from "<size>,<n>" and the box's corner from "<x>,<y>".
Failure readSizeAndPlace(const std::string& dim, const std::string& position,
                         PictureText* text) {
  std::vector<int> size, place;
  if (!readPgenNumbers(dim, 2, &size) || size[0] < 1 || size[0] > 1000) {
    return bad("the text size must be '<1-1000>,<n>'");
  }
  if (!readPgenNumbers(position, 2, &place)) return bad("the text position must be '<x>,<y>'");
  text->size = size[0];
  text->x = place[0];
  text->y = place[1];
  return {};
}

}  // namespace

Failure readTextCommand(const std::string& fields, Picture* picture) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (parts.size() < 5) {
    const size_t at = fields.find(';', start);
    if (at == std::string::npos) return bad("RGB=TEXT needs size, res, colour, background, "
                                            "position and text");
    parts.push_back(fields.substr(start, at - start));
    start = at + 1;
  }
  PictureText text;
  text.text = fields.substr(start);
  const Failure placed = readSizeAndPlace(parts[0], parts[4], &text);
  if (placed.failed()) return placed;
  Rgb10 background;
  for (const Failure& step : {readPgenColour(parts[2], "text colour", 255, &text.colour),
                              readPgenColour(parts[3], "background", 255, &background)}) {
    if (step.failed()) return step;
  }
  *picture = Picture{background, {}, {text}};
  return {};
}

Failure readTextBlock(const std::map<std::string, std::string>& block, PictureText* text) {
  for (const char* key : {"DIM", "POSITION", "RGB", "TEXT"}) {
    if (block.count(key) == 0) return bad(std::string("a TEXT block without ") + key);
  }
  PictureText read;
  read.text = block.at("TEXT");
  const Failure placed = readSizeAndPlace(block.at("DIM"), block.at("POSITION"), &read);
  if (placed.failed()) return placed;
  const Failure colour = readPgenColour(block.at("RGB"), "RGB", 255, &read.colour);
  if (colour.failed()) return colour;
  *text = read;
  return {};
}

std::string withTriplet(const std::string& text, const std::string& triplet) {
  std::string out;
  size_t start = 0;
  for (size_t at; (at = text.find("$RGB", start)) != std::string::npos; start = at + 4) {
    out += text.substr(start, at - start) + triplet;
  }
  return out + text.substr(start);
}
