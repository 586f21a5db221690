// decklink-sim-png IN.r210 OUT.png: turns a capture file of the simulated
// card into a 16-bit RGB PNG, to look at what the program displayed. The
// metadata the frame carried, if any, goes into the picture's text chunks:
// "DeckLink flags" (the flag word, "0x2") and "DeckLink <id>" for each
// value ("DeckLink eotf" = "2"), written as the call log writes them.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

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

std::vector<PngText> metadataTexts(const FrameMetadata& metadata) {
  std::vector<PngText> texts;
  if (!metadata.any()) return texts;
  char flags[16];
  std::snprintf(flags, sizeof flags, "0x%X", metadata.flags);
  texts.push_back({"DeckLink flags", flags});
  for (const MetadataValue& value : metadata.values) {
    texts.push_back({"DeckLink " + metadataIdText(value.id), metadataValueText(value)});
  }
  return texts;
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
      writePng16(argv[2], frame.header.width, frame.header.height, frameRow, &frame,
                 metadataTexts(frame.header.metadata), &problem);
  std::free(bytes);
  if (!written) {
    std::fprintf(stderr, "decklink-sim-png: %s\n", problem.c_str());
    return 1;
  }
  return 0;
}
