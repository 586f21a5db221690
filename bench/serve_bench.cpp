// The whole program as a host uses it: `corvane serve` as a child process
// over pipes against the simulated card (capture off), one patch request at
// a time, each waiting for its answer. Compared in the same run with one
// in-process showPatch of the same frame (paint_bench.cpp), it shows what
// the request loop and the codec add to the paint.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <map>
#include <string>

#include "decklink/output_mode.h"
#include "support/child_process.h"

namespace {

const char kPatchRequest[] =
    ",\"g\":512,\"b\":64,\"bg_r\":64,\"bg_g\":64,\"bg_b\":64,\"area\":10}\n";

std::map<std::string, std::string> simEnvironment() {
  return {{"CORVANE_DECKLINK_API", SIM_API_PATH},
          {"DECKLINK_SIM_CONFIG", ""},
          {"DECKLINK_SIM_DEVICES", "Bench=hd uhd 4k"},
          {"DECKLINK_SIM_LOG", ""},
          {"DECKLINK_SIM_CAPTURE", ""},
          {"DECKLINK_SIM_HOLD_DIR", "/tmp/corvane-bench-hold-" + std::to_string(getpid())}};
}

void serveRequests(benchmark::State& state, const OutputMode& mode) {
  ChildProcess serve({CORVANE_BINARY, "serve"}, simEnvironment());
  if (serve.readLine() != "{\"ok\":true,\"ready\":true}") {
    state.SkipWithError("no ready line");
    return;
  }
  serve.write(std::string("{\"cmd\":\"open\",\"mode\":\"") + mode.name + "\"}\n");
  if (serve.readLine().find("\"ok\":true") == std::string::npos) {
    state.SkipWithError("open failed");
    return;
  }
  // The first paint of a new frame faults its pages in; that happens once
  // per open, not once per request, so it is kept out of the timing, as in
  // the paint benchmarks.
  serve.write(std::string("{\"cmd\":\"patch\",\"r\":0") + kPatchRequest);
  if (serve.readLine().compare(0, 10, "{\"ok\":true") != 0) {
    state.SkipWithError("patch failed");
    return;
  }
  int level = 0;
  for (auto _ : state) {
    level = (level + 1) & 0x3FF;
    serve.write("{\"cmd\":\"patch\",\"r\":" + std::to_string(level) + kPatchRequest);
    if (serve.readLine().compare(0, 10, "{\"ok\":true") != 0) {
      state.SkipWithError("patch failed");
      break;
    }
  }
  state.SetItemsProcessed(state.iterations());
  serve.write("{\"cmd\":\"quit\"}\n");
  serve.wait();
}

// The same patch request with no card held: read, checked and answered
// ("not_open") through the pipes, without a paint. Its time is what the
// request loop, the codec and the pipes add to every paint.
void serveRoundTrip(benchmark::State& state) {
  ChildProcess serve({CORVANE_BINARY, "serve"}, simEnvironment());
  if (serve.readLine() != "{\"ok\":true,\"ready\":true}") {
    state.SkipWithError("no ready line");
    return;
  }
  for (auto _ : state) {
    serve.write(std::string("{\"cmd\":\"patch\",\"r\":1") + kPatchRequest);
    if (serve.readLine().find("not_open") == std::string::npos) {
      state.SkipWithError("unexpected answer");
      break;
    }
  }
  state.SetItemsProcessed(state.iterations());
  serve.write("{\"cmd\":\"quit\"}\n");
  serve.wait();
}

const bool kRegistered = [] {
  benchmark::RegisterBenchmark("serve/roundtrip", serveRoundTrip)
      ->Unit(benchmark::kMicrosecond)
      ->UseRealTime();
  for (const OutputMode& mode : kModes) {
    benchmark::RegisterBenchmark((std::string("serve/") + mode.name).c_str(), serveRequests,
                                 mode)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
  }
  return true;
}();

}  // namespace
