#include "support/frame_checks.h"

#include <gtest/gtest.h>

#include "support/frames.h"

namespace {

// Columns col0 .. col0+cols-1 of rows row0 .. row0+rows-1.
struct Band {
  int64_t row0, rows, col0, cols;
  bool contains(int64_t column, int64_t row) const {
    return row >= row0 && row < row0 + rows && column >= col0 && column < col0 + cols;
  }
};

bool inside(const PatchRect& rect, int64_t column, int64_t row) {
  return Band{rect.y, rect.h, rect.x, rect.w}.contains(column, row);
}

// Compares every pixel with `expected(column, row)`; reports the first few
// that differ, and how many did.
template <class Expected>
void expectEveryPixel(const decklink_sim_frame& frame, Expected expected) {
  long mismatches = 0;
  for (int row = 0; row < frame.height; ++row) {
    for (int column = 0; column < frame.width; ++column) {
      const uint32_t want = expected(column, row);
      const uint32_t got = frameWord(frame, column, row);
      if (got != want && ++mismatches <= 5) {
        ADD_FAILURE() << "pixel (" << column << "," << row << ") is " << std::hex << got
                      << ", expected " << want;
      }
    }
  }
  EXPECT_EQ(0, mismatches) << "pixels that differ in the " << frame.width << "x"
                           << frame.height << " frame";
}

}  // namespace

uint32_t r210Word(unsigned r, unsigned g, unsigned b) {
  return ((r & 0x3FFu) << 20) | ((g & 0x3FFu) << 10) | (b & 0x3FFu);
}

uint32_t r210Gray(unsigned level) { return r210Word(level, level, level); }

void expectPatchFrame(const decklink_sim_frame& frame, const PatchRect& rect, uint32_t patch,
                      uint32_t background) {
  expectEveryPixel(frame, [&](int column, int row) {
    return inside(rect, column, row) ? patch : background;
  });
}

void expectRectsFrame(const decklink_sim_frame& frame, uint32_t background,
                      const std::vector<ExpectedRect>& rects) {
  expectEveryPixel(frame, [&](int column, int row) {
    uint32_t word = background;
    for (const ExpectedRect& r : rects) {
      if (inside(r.rect, column, row)) word = r.word;
    }
    return word;
  });
}

long expectPatchAndTextFrame(const decklink_sim_frame& frame, const PatchRect& rect,
                             uint32_t patch, uint32_t background, const PatchRect& textBox,
                             uint32_t text) {
  long texts = 0;
  expectEveryPixel(frame, [&](int column, int row) {
    if (inside(rect, column, row)) return patch;
    const bool isText = frameWord(frame, column, row) == text;
    texts += isText;
    return isText && inside(textBox, column, row) ? text : background;
  });
  return texts;
}

void expectAlignmentFrame(const decklink_sim_frame& frame, const PatchRect& inner,
                          const PatchRect& outer, int thickness, const AlignmentWords& words) {
  const int64_t t = thickness;
  std::vector<Band> lines;
  for (const PatchRect& r : {outer, inner}) {
    lines.push_back({r.y, t, r.x, r.w});
    lines.push_back({r.y + r.h - t, t, r.x, r.w});
    lines.push_back({r.y, r.h, r.x, t});
    lines.push_back({r.y, r.h, r.x + r.w - t, t});
  }
  const Band crosses[] = {{frame.height / 2 - t / 2, t, 0, frame.width},
                          {0, frame.height, frame.width / 2 - t / 2, t}};
  expectEveryPixel(frame, [&](int column, int row) {
    for (const Band& band : crosses) {
      if (band.contains(column, row)) return words.cross;
    }
    for (const Band& band : lines) {
      if (band.contains(column, row)) return words.line;
    }
    return words.background;
  });
}
