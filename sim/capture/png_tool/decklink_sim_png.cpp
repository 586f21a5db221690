// decklink-sim-png IN.r210 OUT.png: turns a capture file of the simulated
// card into a 16-bit RGB PNG, to look at what the program displayed.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "capture/capture_file.h"
#include "capture/png_tool/png16_writer.h"
#include "capture/png_tool/r210_to_rgb16.h"

namespace {

struct Frame {
  CaptureHeader header;
  const unsigned char* bytes;
};

void frameRow(void* context, int32_t y, unsigned char* row) {
  const Frame& frame = *static_cast<const Frame*>(context);
  r210RowToRgb16(frame.bytes + static_cast<size_t>(y) * static_cast<size_t>(frame.header.rowBytes),
                 frame.header.width, row);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: decklink-sim-png IN.r210 OUT.png\n");
    return 1;
  }
  Frame frame;
  unsigned char* bytes = nullptr;
  std::string problem;
  if (!readCaptureFile(argv[1], &frame.header, &bytes, &problem)) {
    std::fprintf(stderr, "decklink-sim-png: %s\n", problem.c_str());
    return 1;
  }
  frame.bytes = bytes;
  const bool written =
      writePng16(argv[2], frame.header.width, frame.header.height, frameRow, &frame, &problem);
  std::free(bytes);
  if (!written) {
    std::fprintf(stderr, "decklink-sim-png: %s\n", problem.c_str());
    return 1;
  }
  return 0;
}
