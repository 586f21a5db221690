// Painting is the program's only heavy work: every request writes every
// pixel of a frame of up to 4096 x 2160. Its floor is the memory bandwidth
// of one core, measured here as a memset of a buffer of the frame's size.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "decklink/device_hold.h"
#include "decklink_sim.h"
#include "render/paint_rects.h"
#include "render/pixel_word.h"
#include "render/show_alignment.h"
#include "render/show_picture.h"

namespace {

// Holds the simulated card at `mode` (capture off) for one benchmark.
bool holdAt(const OutputMode& mode, benchmark::State& state) {
  closeDevice();
  decklink_sim_configure("[device]\nname = Bench\n[log]\nmemory = no\n");
  const Failure refused = openDevice(0, mode.name);
  if (refused.failed()) {
    state.SkipWithError(refused.message.c_str());
    return false;
  }
  // The first paint after an open faults the new frame's pages in; that
  // happens once per open, not once per request, so it is kept out of the
  // timing, as the baseline's first touch is.
  PatchRect rect;
  showPatch(0, 0, 0, 0, 0, 0, 100, &rect);
  return true;
}

void frameBytes(benchmark::State& state, const OutputMode& mode) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * mode.height * gRowBytes);
}

// The baseline writes the same bytes of the same memory: the held frame's
// own pixel buffer, opened once by paintAndShow around the whole loop, so
// that where the memory lies cannot favour either side.
void memsetFrame(benchmark::State& state, const OutputMode& mode) {
  if (!holdAt(mode, state)) return;
  const Failure refused = paintAndShow([&state](const FrameView& frame) {
    const size_t size = static_cast<size_t>(frame.height) * static_cast<size_t>(frame.rowBytes);
    int value = 0;
    for (auto _ : state) {
      std::memset(frame.pixels, ++value & 0xFF, size);
      benchmark::DoNotOptimize(frame.pixels);
      benchmark::ClobberMemory();
    }
    return true;
  });
  if (refused.failed()) state.SkipWithError(refused.message.c_str());
  frameBytes(state, mode);
  closeDevice();
}

void showPatchFrame(benchmark::State& state, const OutputMode& mode) {
  if (!holdAt(mode, state)) return;
  PatchRect rect;
  uint16_t level = 0;
  for (auto _ : state) {
    level = static_cast<uint16_t>((level + 1) & 0x3FF);
    if (showPatch(level, 512, 64, 64, 64, 64, 10, &rect).failed()) state.SkipWithError("display");
  }
  frameBytes(state, mode);
  closeDevice();
}

// The patch of showPatchFrame painted with each way of storing, whatever
// this machine's automatic choice (frameStoresFor): the figures that choice
// rests on.
void showPatchWith(benchmark::State& state, const OutputMode& mode, FrameStores stores) {
  if (!holdAt(mode, state)) return;
  const PatchRect rect = patchRectForArea(10, mode.width, mode.height);
  const uint32_t background = storedWord(pixelWord(64, 64, 64));
  uint16_t level = 0;
  for (auto _ : state) {
    level = static_cast<uint16_t>((level + 1) & 0x3FF);
    const std::vector<PaintedRect> rects = {{rect, storedWord(pixelWord(level, 512, 64))}};
    const Failure refused = paintAndShow([&](const FrameView& frame) {
      paintRects(frame, background, rects, stores);
      finishStreaming();
      return true;
    });
    if (refused.failed()) state.SkipWithError("display");
  }
  frameBytes(state, mode);
  closeDevice();
}

void showAlignmentFrame(benchmark::State& state, const OutputMode& mode) {
  if (!holdAt(mode, state)) return;
  PatchRect inner, outer;
  for (auto _ : state) {
    if (showAlignment(64, 546, 721, 3, 10, &inner, &outer).failed()) {
      state.SkipWithError("display");
    }
  }
  frameBytes(state, mode);
  closeDevice();
}

// A stored template of 1,030 nested rectangles, each 1 pixel inside the
// last, drawn in one colour (RGB=DYNAMIC, as HCFR's templates are): what one
// 43-byte TESTTEMPLATERAMDISK may ask for. Its cost beside showPatch's is
// what the band painter keeps small.
void showManyRectsFrame(benchmark::State& state, const OutputMode& mode) {
  if (!holdAt(mode, state)) return;
  Picture picture;
  picture.background = {64, 64, 64};
  for (int i = 0; i < 1030; ++i) {
    picture.rects.push_back({{i, i, mode.width - 2 * i, mode.height - 2 * i}, {940, 940, 940}});
  }
  for (auto _ : state) {
    picture.rects[0].colour.r = static_cast<uint16_t>((picture.rects[0].colour.r + 1) & 0x3FF);
    if (showPicture(picture).failed()) state.SkipWithError("display");
  }
  frameBytes(state, mode);
  closeDevice();
}

void registerAll() {
  for (const OutputMode& mode : kModes) {
    const std::string name = mode.name;
    benchmark::RegisterBenchmark(("memset/" + name).c_str(), memsetFrame, mode)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark(("showPatch/" + name).c_str(), showPatchFrame, mode)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark(("showAlignment/" + name).c_str(), showAlignmentFrame, mode)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark(("manyRects/" + name).c_str(), showManyRectsFrame, mode)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark(("cachedStores/" + name).c_str(), showPatchWith, mode,
                                 FrameStores::kCached)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark(("streamingStores/" + name).c_str(), showPatchWith, mode,
                                 FrameStores::kStreaming)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
  }
}

}  // namespace

int main(int argc, char** argv) {
  registerAll();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
