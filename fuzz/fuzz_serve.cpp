// The serve loop's request handling on any input, against the simulated
// card: the input is cut into pieces as the loop reads it (at most 511
// bytes, ending after a line feed), and each piece is answered.
//
// Checked after every piece: exactly one response line (none for quit),
// which is one JSON object ending in a line feed; the held-device state has
// one of its three shapes, and signals nothing when nothing is held. At the
// end: every reference the card handed out was released exactly once.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "decklink/device_hold.h"
#include "decklink/held_card.h"
#include "decklink_sim.h"
#include "serve/serve_loop.h"
#include "support/json_check.h"

namespace {

void check(bool condition, const char* what, const std::string& detail = "") {
  if (!condition) {
    std::fprintf(stderr, "invariant broken: %s %s\n", what, detail.c_str());
    std::abort();
  }
}

// Responses go to standard output; here it is a memory file read back after
// each piece.
int gResponses = -1;

std::string takeOutput() {
  std::fflush(stdout);
  off_t size = lseek(gResponses, 0, SEEK_END);
  std::string text(static_cast<size_t>(size), '\0');
  if (size > 0) (void)!pread(gResponses, text.data(), text.size(), 0);
  (void)!ftruncate(gResponses, 0);
  lseek(gResponses, 0, SEEK_SET);
  return text;
}

// Nothing held signals nothing: the signalling ends with the device.
bool signallingEndsWithTheDevice() { return gDevice != nullptr || isPlain(gSignalling); }

bool oneOfThreeShapes() {
  bool nothing = !gDevice && !gOutput && !gFrame && !gMode;
  bool held = gDevice && gOutput && gFrame && gMode;
  bool withoutMode = gDevice && gOutput && !gFrame && !gMode;
  return nothing || held || withoutMode;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  gResponses = memfd_create("responses", 0);
  std::fflush(stdout);
  dup2(gResponses, 1);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Four cards, three that fail in several ways (HDR among them), so that
  // every answer of the protocol can be reached.
  decklink_sim_configure(
      "[device]\nname = Fuzz \\\"card\\\" \\xC3\\xA9\nmodes = hd uhd 4k\n"
      "[device]\nname = Faulty\nmodes = hd uhd\nenable.uhd = E_FAIL\n"
      "create_frame.4k = E_OUTOFMEMORY\nprobe.4k = S_OK yes\ndisplay = S_FALSE\n"
      "[device]\nname = HDR faults\nmodes = hd@* uhd@50\nhdr = pq\nmetadata_set.hdml = E_FAIL\n"
      "[device]\nname = No HDR\nmodes = hd\nhdr = no\nmetadata = no\n"
      "[hold]\ndirectory = /tmp/corvane-fuzz-hold\n");
  const char* input = reinterpret_cast<const char*>(data);
  size_t offset = 0;
  while (offset < size) {
    size_t length = 0;
    while (offset + length < size && length < 511) {
      if (input[offset + length++] == '\n') break;
    }
    std::string piece(input + offset, length);
    offset += length;
    bool goOn = serveRequest(piece.c_str());
    std::string output = takeOutput();
    check(oneOfThreeShapes(), "held-device shape");
    check(signallingEndsWithTheDevice(), "signalling without a device");
    if (!goOn) {
      check(output.empty(), "quit gets no answer", output);
      break;
    }
    check(!output.empty() && output.back() == '\n', "one whole line", output);
    std::string line = output.substr(0, output.size() - 1);
    check(line.find('\n') == std::string::npos, "exactly one line", output);
    check(isOneJsonObject(line), "one JSON object", line);
  }
  closeDevice();
  check(decklink_sim_live_objects() == 0, "no reference left", decklink_sim_report());
  check(decklink_sim_over_releases() == 0, "no double release", decklink_sim_report());
  check(decklink_sim_misuse_count() == 0, "no misuse", decklink_sim_report());
  return 0;
}
