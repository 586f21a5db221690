#include "render/paint_rects.h"

#include <algorithm>

#include "render/row_pattern.h"

namespace {

// A rectangle clipped to the frame, in 64 bits so that no rectangle,
// however far outside, can overflow.
struct Span {
  int64_t left, right, top, bottom;
  uint32_t stored;
};

// A run of one word along a row.
struct Run {
  int64_t left, right;
  uint32_t stored;
};

std::vector<Span> clipToFrame(const FrameView& frame, const std::vector<PaintedRect>& rects) {
  std::vector<Span> spans;
  for (const PaintedRect& painted : rects) {
    const PatchRect& r = painted.rect;
    Span span = {std::max<int64_t>(r.x, 0), std::min<int64_t>(int64_t{r.x} + r.w, frame.width),
                 std::max<int64_t>(r.y, 0), std::min<int64_t>(int64_t{r.y} + r.h, frame.height),
                 painted.stored};
    if (span.left < span.right && span.top < span.bottom) spans.push_back(span);
  }
  return spans;
}

// The runs of every row from `top` until the next edge: the spans that
// cross row `top` cross the whole band. Each column takes the word of the
// last span that covers it; neighbours of one word make one run.
std::vector<Run> bandRuns(const FrameView& frame, int64_t top, uint32_t background,
                          const std::vector<Span>& spans) {
  std::vector<const Span*> crossing;
  std::vector<int64_t> edges = {0, frame.width};
  for (const Span& s : spans) {
    if (s.top > top || s.bottom <= top) continue;
    crossing.push_back(&s);
    edges.push_back(s.left);
    edges.push_back(s.right);
  }
  std::sort(edges.begin(), edges.end());
  edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
  std::vector<Run> runs;
  for (size_t i = 0; i + 1 < edges.size(); ++i) {
    uint32_t stored = background;
    for (const Span* s : crossing) {
      if (s->left <= edges[i] && edges[i] < s->right) stored = s->stored;
    }
    if (!runs.empty() && runs.back().stored == stored) {
      runs.back().right = edges[i + 1];
    } else {
      runs.push_back({edges[i], edges[i + 1], stored});
    }
  }
  return runs;
}

// String stores, one per run of one word in memory: where the frame's rows
// follow each other without padding, the end of one row and the start of
// the next are one run when they share a word, so a band of background,
// patch and background costs two stores a row.
class RunWriter {
 public:
  explicit RunWriter(FrameStores stores) : stores_(stores) {}
  ~RunWriter() { flush(); }

  void add(unsigned char* to, int64_t count, uint32_t stored) {
    if (count_ > 0 && stored == stored_ && start_ + 4 * count_ == to) {
      count_ += count;
      return;
    }
    flush();
    start_ = to;
    count_ = count;
    stored_ = stored;
  }

 private:
  void flush() {
    if (count_ > 0) fillRun(start_, stored_, count_, stores_);
    count_ = 0;
  }

  FrameStores stores_;
  unsigned char* start_ = nullptr;
  int64_t count_ = 0;
  uint32_t stored_ = 0;
};

void writeBand(const FrameView& frame, int64_t top, int64_t bottom,
               const std::vector<Run>& runs, RowPattern* pattern, FrameStores stores) {
  if (runs.size() == 1) {
    fillRows(frame, top, bottom, runs[0].stored, stores);
    return;
  }
  for (const Run& run : runs) pattern->fill(run.left, run.stored, run.right - run.left);
  const int64_t rowLength = int64_t{4} * frame.width;
  pattern->finish(rowLength);
  pattern->copyTo(frame.pixels + top * frame.rowBytes, bottom - top, rowLength,
                  frame.rowBytes, stores);
}

}  // namespace

void fillRows(const FrameView& frame, int64_t top, int64_t bottom, uint32_t stored,
              FrameStores stores) {
  if (bottom <= top) return;
  const int64_t rowLength = int64_t{4} * frame.width;
  unsigned char* first = frame.pixels + top * frame.rowBytes;
  if (!kFastFillRuns) {
    RowPattern pattern;
    pattern.fill(0, stored, frame.width);
    pattern.finish(rowLength);
    pattern.copyTo(first, bottom - top, rowLength, frame.rowBytes, stores);
    return;
  }
  RunWriter writer(stores);
  for (int64_t row = 0; row < bottom - top; ++row) {
    writer.add(first + row * frame.rowBytes, frame.width, stored);
  }
}

void paintRects(const FrameView& frame, uint32_t background,
                const std::vector<PaintedRect>& rects, FrameStores stores) {
  const std::vector<Span> spans = clipToFrame(frame, rects);
  std::vector<int64_t> edges = {0, frame.height};
  for (const Span& s : spans) {
    edges.push_back(s.top);
    edges.push_back(s.bottom);
  }
  std::sort(edges.begin(), edges.end());
  edges.erase(std::unique(edges.begin(), edges.end()), edges.end());

  // Cached string stores write every run directly; streaming stores and
  // the portable path copy each patterned band from a row pattern, whose
  // wide copies reach the memory's speed where short runs would not.
  if (kFastFillRuns && stores == FrameStores::kCached) {
    RunWriter writer(stores);
    for (size_t i = 0; i + 1 < edges.size(); ++i) {
      const std::vector<Run> runs = bandRuns(frame, edges[i], background, spans);
      for (int64_t row = edges[i]; row < edges[i + 1]; ++row) {
        unsigned char* start = frame.pixels + row * frame.rowBytes;
        for (const Run& run : runs) {
          writer.add(start + 4 * run.left, run.right - run.left, run.stored);
        }
      }
    }
    return;
  }
  RowPattern pattern;
  for (size_t i = 0; i + 1 < edges.size(); ++i) {
    writeBand(frame, edges[i], edges[i + 1], bandRuns(frame, edges[i], background, spans),
              &pattern, stores);
  }
}

bool paintFrame(const FrameView& frame, uint32_t background,
                const std::vector<PaintedRect>& rects) {
  if (int64_t{4} * frame.width > kMaxRowLength) return false;
  paintRects(frame, background, rects, frameStoresFor(frame.rowBytes * frame.height));
  // Every streaming store reaches the frame before the card gets it back.
  finishStreaming();
  return true;
}
