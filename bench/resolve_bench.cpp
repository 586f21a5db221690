// The Resolve target as a calibration host drives it: a host on the
// loopback address sends one message, and `corvane resolve` (a child
// process, against the simulated card with capture off) paints and displays
// it and says so on its output, which the host reads back. One message at
// a time, each waiting for its line.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <csignal>
#include <map>
#include <string>

#include "decklink/output_mode.h"
#include "support/child_process.h"
#include "support/loopback.h"
#include "support/resolve_frame.h"

namespace {

std::string message(int level) {
  const std::string v = std::to_string(level);
  return resolveFrame("<?xml version=\"1.0\" encoding=\"utf-8\"?><calibration><color red=\"" + v +
                "\" green=\"" + v + "\" blue=\"" + v +
                "\" bits=\"10\"/><background red=\"64\" green=\"64\" blue=\"64\" bits=\"10\"/>"
                "<geometry x=\"0.4189\" y=\"0.3419\" cx=\"0.3162\" cy=\"0.3162\"/></calibration>");
}

void resolveMessages(benchmark::State& state, const OutputMode& mode) {
  LoopbackSocket listener = LoopbackSocket::listeningTcp();
  if (!listener.ok()) {
    state.SkipWithError("cannot listen on 127.0.0.1");
    return;
  }
  ChildProcess corvane(
      {CORVANE_BINARY, "resolve", "127.0.0.1:" + std::to_string(listener.port()), "0",
       mode.name},
      {{"CORVANE_DECKLINK_API", SIM_API_PATH},
       {"DECKLINK_SIM_CONFIG", ""},
       {"DECKLINK_SIM_DEVICES", "Bench=hd uhd 4k"},
       {"DECKLINK_SIM_LOG", ""},
       {"DECKLINK_SIM_CAPTURE", ""},
       {"DECKLINK_SIM_HOLD_DIR", "/tmp/corvane-bench-hold-" + std::to_string(getpid())}});
  LoopbackSocket host = listener.accept();
  listener.close();
  if (!host.ok() || !corvane.readUntil("connected to")) {
    state.SkipWithError("corvane did not connect");
  } else {
    corvane.readLine();  // the rest of the "connected" line
    int level = 0;
    for (auto _ : state) {
      level = (level + 1) & 0x3FF;
      if (!host.send(message(level)) || corvane.readLine().compare(0, 6, "patch ") != 0) {
        state.SkipWithError("patch not shown");
        break;
      }
    }
    state.SetItemsProcessed(state.iterations());
  }
  host.close();
  corvane.sendSignal(SIGTERM);
  corvane.wait();
}

const bool kRegistered = [] {
  for (const OutputMode& mode : kModes) {
    benchmark::RegisterBenchmark((std::string("resolve/") + mode.name).c_str(), resolveMessages,
                                 mode)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
  }
  return true;
}();

}  // namespace
