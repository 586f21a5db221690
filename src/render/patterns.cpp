#include "render/patterns.h"

#include <cmath>
#include <vector>

#include "decklink/held_card.h"
#include "render/picture_on_card.h"

const char kPatternNames[] =
    "pluge black-clipping white-clipping ramp bars75 bars100 checkerboard window1 window2 "
    "window5 window10 window18 window25";

namespace {

Rgb10 gray(int level) {
  const uint16_t code = static_cast<uint16_t>(level < 0 ? 0 : level > 1023 ? 1023 : level);
  return {code, code, code};
}

bool isFull(const CodeRange& range) { return range.black == kFullCodes.black; }

// Column i of n equal columns across `size` pixels: [i*size/n, (i+1)*size/n).
int32_t edge(int64_t i, int64_t size, int64_t n) { return static_cast<int32_t>(i * size / n); }

// `codes.size()` bands side by side across the whole width, rows `top` to
// `top + rows`.
void addBands(const std::vector<int>& codes, int32_t width, int32_t top, int32_t rows,
              Picture* picture) {
  const int64_t n = static_cast<int64_t>(codes.size());
  for (int64_t i = 0; i < n; ++i) {
    const int32_t left = edge(i, width, n);
    picture->rects.push_back({{left, top, edge(i + 1, width, n) - left, rows}, gray(codes[i])});
  }
}

void pluge(const CodeRange& range, int32_t w, int32_t h, Picture* picture) {
  picture->background = gray(range.black);
  const int levels[] = {range.black - 16, range.black + 16, range.black + 32};
  const int32_t lefts[] = {w / 4, w * 7 / 16, w * 5 / 8};
  for (int i = 0; i < 3; ++i) {
    picture->rects.push_back({{lefts[i], h / 4, w / 8, h / 2}, gray(levels[i])});
  }
}

void clipping(bool black, const CodeRange& range, int32_t w, int32_t h, Picture* picture) {
  const int first = black ? (isFull(range) ? 0 : range.black - 12)
                          : range.peak - (isFull(range) ? 28 : 16);
  std::vector<int> codes;
  for (int k = 0; k < 8; ++k) codes.push_back(first + 4 * k);
  picture->background = gray(black ? range.black : range.peak);
  addBands(codes, w, h / 4, h / 2, picture);
}

void ramp(const CodeRange& range, int32_t w, int32_t h, Picture* picture) {
  std::vector<int> codes;
  for (int code = range.black; code <= range.peak; ++code) codes.push_back(code);
  picture->background = gray(range.black);
  addBands(codes, w, 0, h, picture);
}

void bars(double level, const CodeRange& range, int32_t w, int32_t h, Picture* picture) {
  const uint16_t on =
      static_cast<uint16_t>(std::lround(range.black + level * (range.peak - range.black)));
  const uint16_t off = range.black;
  // White, yellow, cyan, green, magenta, red, blue.
  const Rgb10 colours[] = {{on, on, on},  {on, on, off},  {off, on, on}, {off, on, off},
                           {on, off, on}, {on, off, off}, {off, off, on}};
  picture->background = gray(range.black);
  for (int i = 0; i < 7; ++i) {
    const int32_t left = edge(i, w, 7);
    picture->rects.push_back({{left, 0, edge(i + 1, w, 7) - left, h}, colours[i]});
  }
}

void checkerboard(const CodeRange& range, int32_t w, int32_t h, Picture* picture) {
  picture->background = gray(range.black);
  for (int row = 0; row < 9; ++row) {
    for (int column = row % 2; column < 16; column += 2) {
      const int32_t left = edge(column, w, 16), top = edge(row, h, 9);
      const PatchRect cell = {left, top, edge(column + 1, w, 16) - left, edge(row + 1, h, 9) - top};
      picture->rects.push_back({cell, gray(range.peak)});
    }
  }
}

void window(int area, const CodeRange& range, int32_t w, int32_t h, Picture* picture) {
  const double span = range.peak - range.black;
  const double level = span * (25 - area) / (100 - area);
  picture->background = gray(range.black + static_cast<int>(std::lround(level)));
  picture->rects.push_back({patchRectForArea(area, w, h), gray(range.peak)});
}

}  // namespace

bool patternPicture(const std::string& name, const CodeRange& range, int32_t width,
                    int32_t height, Picture* picture) {
  Picture built;
  if (name == "pluge") {
    pluge(range, width, height, &built);
  } else if (name == "black-clipping" || name == "white-clipping") {
    clipping(name == "black-clipping", range, width, height, &built);
  } else if (name == "ramp") {
    ramp(range, width, height, &built);
  } else if (name == "bars75" || name == "bars100") {
    bars(name == "bars75" ? 0.75 : 1.0, range, width, height, &built);
  } else if (name == "checkerboard") {
    checkerboard(range, width, height, &built);
  } else {
    const int areas[] = {1, 2, 5, 10, 18, 25};
    bool found = false;
    for (int area : areas) {
      if (name == "window" + std::to_string(area)) {
        window(area, range, width, height, &built);
        found = true;
      }
    }
    if (!found) return false;
  }
  *picture = built;
  return true;
}

Failure showPattern(const std::string& name, const CodeRange& range, bool caption) {
  Picture picture;
  if (!patternPicture(name, range, 16, 9, &picture)) {
    return failure(FailureCode::kBadRequest, "unknown pattern: " + name.substr(0, 40) +
                                                 "; the patterns are " + kPatternNames);
  }
  const Failure held = checkFrameHeld();
  if (held.failed()) return held;
  patternPicture(name, range, gMode->width, gMode->height, &picture);
  const std::string named = name + (isFull(range) ? ", full range" : ", video range");
  if (caption) {
    picture.texts.push_back(
        {named, gMode->width / 48, gMode->height / 54, gMode->height / 27, gray(range.peak)});
  }
  const Failure shown = showPicture(picture);
  if (!shown.failed()) notePictureShown("pattern", named);
  return shown;
}
