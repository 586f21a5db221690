// Capture files: one displayed frame each, an ASCII header then the frame
// memory as it was displayed.
//
//   DeckLinkSimFrame 1\n
//   width <w>\n
//   height <h>\n
//   row_bytes <rb>\n
//   pixel_format r210\n
//   sequence <n>\n
//   \n
//   <h * rb bytes>
//
// A frame that carried metadata (a flag or a value) is written as version
// 2, the same with more lines before the empty one:
//
//   DeckLinkSimFrame 2\n
//   ... as above, up to sequence ...
//   flags <decimal>\n
//   metadata <id> int <decimal>\n      one line per value, e.g. "metadata eotf int 2"
//   metadata <id> float <decimal>\n    e.g. "metadata hdrx float 0.708"
//   \n
//   <h * rb bytes>
//
// A plain frame stays version 1, byte for byte as before, so readers that
// know only version 1 read it; they refuse a version 2 file as a whole
// rather than misread it.
//
// Shared by the simulated card, which writes them, and by decklink-sim-png,
// which reads them; so it uses nothing of the DeckLink declarations.
#ifndef DECKLINK_SIM_CAPTURE_CAPTURE_FILE_H
#define DECKLINK_SIM_CAPTURE_CAPTURE_FILE_H

#include <cstdint>
#include <string>

#include "capture/frame_metadata.h"

struct CaptureHeader {
  int32_t width = 0;
  int32_t height = 0;
  int32_t rowBytes = 0;
  uint64_t sequence = 0;
  FrameMetadata metadata;
};

// Writes header and `bytes` (height * rowBytes of them) to a temporary dot
// name beside `path`, then renames it, so a reader watching the directory
// never sees half a frame.
bool writeCaptureFile(const std::string& path, const CaptureHeader& header,
                      const unsigned char* bytes, std::string* problem);

// Reads a capture file. On success `*bytes` holds height * rowBytes bytes
// from malloc, which the caller frees.
bool readCaptureFile(const std::string& path, CaptureHeader* header, unsigned char** bytes,
                     std::string* problem);

#endif  // DECKLINK_SIM_CAPTURE_CAPTURE_FILE_H
