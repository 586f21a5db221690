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

// The runs of the band under way, kept from one band to the next: at each
// edge only the columns of the rectangles that start or end there are
// worked out again, so that painting costs the pixels plus a little per
// rectangle and edge, however many rectangles lie on top of each other.
class BandRuns {
 public:
  BandRuns(int64_t width, uint32_t background, const std::vector<Span>& spans)
      : background_(background), spans_(spans) {
    runs_.push_back({0, width, background});
  }

  const std::vector<Run>& runs() const { return runs_; }

  // Takes `leaving` out of the band and `entering` in (indices into the
  // spans), then works out again the columns they cover.
  void change(const std::vector<size_t>& leaving, const std::vector<size_t>& entering) {
    std::vector<Run> regions;  // the columns to work out again (word unused)
    for (size_t index : leaving) {
      active_.erase(std::lower_bound(active_.begin(), active_.end(), index));
      regions.push_back({spans_[index].left, spans_[index].right, 0});
    }
    for (size_t index : entering) {
      active_.insert(std::upper_bound(active_.begin(), active_.end(), index), index);
      regions.push_back({spans_[index].left, spans_[index].right, 0});
    }
    std::sort(regions.begin(), regions.end(),
              [](const Run& a, const Run& b) { return a.left < b.left; });
    for (size_t i = 0; i < regions.size();) {
      Run region = regions[i++];
      while (i < regions.size() && regions[i].left <= region.right) {
        region.right = std::max(region.right, regions[i++].right);
      }
      replace(region.left, region.right, visibleRuns(region.left, region.right));
    }
  }

 private:
  // The runs of columns [left, right): each column takes the word of the
  // last active span that covers it. The spans are taken from the last
  // down, each painting only what no later one has, until nothing is left.
  std::vector<Run> visibleRuns(int64_t left, int64_t right) const {
    std::vector<Run> open = {{left, right, 0}};  // not painted yet, in order
    std::vector<Run> painted;
    for (auto at = active_.rbegin(); at != active_.rend() && !open.empty(); ++at) {
      const Span& s = spans_[*at];
      if (s.right <= left || s.left >= right) continue;
      auto first = std::upper_bound(open.begin(), open.end(), s.left,
                                    [](int64_t x, const Run& r) { return x < r.right; });
      auto last = first;
      std::vector<Run> rest;  // what is left of the open runs it crosses
      for (; last != open.end() && last->left < s.right; ++last) {
        painted.push_back({std::max(last->left, s.left), std::min(last->right, s.right), s.stored});
        if (last->left < s.left) rest.push_back({last->left, s.left, 0});
        if (last->right > s.right) rest.push_back({s.right, last->right, 0});
      }
      const auto where = open.erase(first, last);
      open.insert(where, rest.begin(), rest.end());
    }
    for (const Run& r : open) painted.push_back({r.left, r.right, background_});
    std::sort(painted.begin(), painted.end(),
              [](const Run& a, const Run& b) { return a.left < b.left; });
    return painted;
  }

  // Puts `inside` (runs covering exactly [left, right), in order) in place
  // of the runs there, cutting the runs that cross either end and joining
  // neighbours of one word.
  void replace(int64_t left, int64_t right, const std::vector<Run>& inside) {
    std::vector<Run> merged;
    auto first = std::upper_bound(runs_.begin(), runs_.end(), left,
                                  [](int64_t x, const Run& r) { return x < r.right; });
    auto last = first;
    while (last != runs_.end() && last->left < right) ++last;
    const auto add = [&merged](Run run) {
      if (run.left >= run.right) return;
      if (!merged.empty() && merged.back().stored == run.stored) {
        merged.back().right = run.right;
      } else {
        merged.push_back(run);
      }
    };
    if (first != runs_.begin()) add(*(first - 1));
    if (first != last) add({first->left, left, first->stored});
    for (const Run& run : inside) add(run);
    if (first != last) add({right, (last - 1)->right, (last - 1)->stored});
    if (last != runs_.end()) add(*last);
    // The neighbours taken in (to be joined) go out with the replaced runs.
    const auto from = first != runs_.begin() ? first - 1 : first;
    const auto to = last != runs_.end() ? last + 1 : last;
    const auto at = runs_.erase(from, to);
    runs_.insert(at, merged.begin(), merged.end());
  }

  uint32_t background_;
  const std::vector<Span>& spans_;
  std::vector<size_t> active_;  // the spans crossing the band, in paint order
  std::vector<Run> runs_;       // the band's runs, covering the row; neighbours differ
};

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
  // Each span enters the band at its top and leaves it at its bottom.
  struct Edge {
    int64_t row;
    size_t span;
    bool entering;
  };
  std::vector<Edge> edges;
  for (size_t i = 0; i < spans.size(); ++i) {
    edges.push_back({spans[i].top, i, true});
    edges.push_back({spans[i].bottom, i, false});
  }
  std::sort(edges.begin(), edges.end(),
            [](const Edge& a, const Edge& b) { return a.row < b.row; });
  BandRuns band(frame.width, background, spans);
  RowPattern pattern;
  // Cached string stores write every run directly; streaming stores and
  // the portable path copy each patterned band from a row pattern, whose
  // wide copies reach the memory's speed where short runs would not.
  const bool direct = kFastFillRuns && stores == FrameStores::kCached;
  RunWriter writer(stores);
  std::vector<size_t> leaving, entering;
  for (size_t next = 0, top = 0; top < static_cast<size_t>(frame.height);) {
    leaving.clear();
    entering.clear();
    for (; next < edges.size() && edges[next].row == static_cast<int64_t>(top); ++next) {
      (edges[next].entering ? entering : leaving).push_back(edges[next].span);
    }
    band.change(leaving, entering);
    const int64_t bottom = next < edges.size() ? edges[next].row : frame.height;
    if (!direct) {
      writeBand(frame, static_cast<int64_t>(top), bottom, band.runs(), &pattern, stores);
    } else {
      for (int64_t row = static_cast<int64_t>(top); row < bottom; ++row) {
        unsigned char* start = frame.pixels + row * frame.rowBytes;
        for (const Run& run : band.runs()) {
          writer.add(start + 4 * run.left, run.right - run.left, run.stored);
        }
      }
    }
    top = static_cast<size_t>(bottom);
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
