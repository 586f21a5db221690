#include "net/pgen/patch_command.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "io/decimal_int.h"
#include "io/format.h"
#include "net/host_picture.h"

namespace {

std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    const size_t at = text.find(separator, start);
    parts.push_back(text.substr(start, at == std::string::npos ? std::string::npos : at - start));
    if (at == std::string::npos) return parts;
    start = at + 1;
  }
}

// A decimal integer and nothing else but spaces; beyond the range of int it
// saturates (readDecimalInt), so huge numbers fail every range check.
bool wholeNumber(const std::string& text, int* value) {
  const char* cursor = text.c_str();
  if (!readDecimalInt(&cursor, value)) return false;
  while (*cursor == ' ' || *cursor == '\t') ++cursor;
  return cursor == text.c_str() + text.size();
}

// `count` comma-separated numbers (or, when `alternative` is not 0, that
// many instead).
bool numbers(const std::string& text, size_t count, size_t alternative, std::vector<int>* values) {
  const std::vector<std::string> parts = split(text, ',');
  if (parts.size() != count && parts.size() != alternative) return false;
  values->assign(parts.size(), 0);
  for (size_t i = 0; i < parts.size(); ++i) {
    if (!wholeNumber(parts[i], &(*values)[i])) return false;
  }
  return true;
}

// One axis of the window: its start from the anchor and offset, then the
// part of [start, start + size) inside [0, frame).
void place(int64_t anchor, int64_t offset, int32_t size, int32_t frame, int32_t* start,
           int32_t* visible) {
  const int64_t first = (anchor == -1 ? (frame - size) / 2 : anchor) + offset;
  const int64_t from = std::clamp<int64_t>(first, 0, frame);
  const int64_t to = std::clamp<int64_t>(first + size, 0, frame);
  *start = static_cast<int32_t>(from);
  *visible = static_cast<int32_t>(std::max<int64_t>(to - from, 0));
}

}  // namespace

Failure readPgenColour(const std::string& text, const char* name, int largest, Rgb10* colour) {
  std::vector<int> v;
  if (!numbers(text, 3, 0, &v)) {
    return failure(FailureCode::kBadRequest, std::string(name) + " is not three whole numbers");
  }
  for (int component : v) {
    if (component < 0 || component > largest) {
      return failure(FailureCode::kBadRequest,
                     formatted("%s %d,%d,%d is not within 0-%d", name, v[0], v[1], v[2], largest));
    }
  }
  const int bits = largest == 255 ? 8 : 10;
  *colour = {toTenBits(static_cast<uint32_t>(v[0]), bits),
             toTenBits(static_cast<uint32_t>(v[1]), bits),
             toTenBits(static_cast<uint32_t>(v[2]), bits)};
  return {};
}

Failure readPgenWindow(const std::string& size, const std::string& position, int32_t width,
                       int32_t height, PatchRect* rect) {
  std::vector<int> wh, at;
  if (!numbers(size, 2, 0, &wh) || wh[0] < 0 || wh[1] < 0) {
    return failure(FailureCode::kBadRequest, "window size is not two whole numbers of 0 or more");
  }
  if (!numbers(position, 2, 4, &at) || at[0] < -1 || at[1] < -1) {
    return failure(FailureCode::kBadRequest,
                   "position is not 'x,y' or 'x,y,dx,dy' with x and y -1 (centred) or 0 or more");
  }
  at.resize(4, 0);
  place(at[0], at[2], std::min(wh[0], width), width, &rect->x, &rect->w);
  place(at[1], at[3], std::min(wh[1], height), height, &rect->y, &rect->h);
  return {};
}

Failure readPatchCommand(const std::string& fields, int32_t width, int32_t height,
                         PgenPatch* patch) {
  const std::vector<std::string> f = split(fields, ';');
  const bool tenBits = f[0] == "RECTANGLE10bit";
  if (!tenBits && f[0] != "RECTANGLE") {
    return failure(FailureCode::kUnsupported, "only RECTANGLE and RECTANGLE10bit are drawn, not '" +
                                                  printableText(f[0], kQuotedValue) + "'");
  }
  if (f.size() < 6) {
    return failure(FailureCode::kBadRequest, formatted("6 fields needed, %zu found", f.size()));
  }
  PgenPatch read;
  const int largest = tenBits ? 1023 : 255;
  for (const Failure& step : {readPgenWindow(f[1], f[5], width, height, &read.window.rect),
                              readPgenColour(f[3], "colour", largest, &read.window.colour),
                              readPgenColour(f[4], "background", largest, &read.background)}) {
    if (step.failed()) return step;
  }
  *patch = read;
  return {};
}
