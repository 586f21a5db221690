#include "capture/frame_capture.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "util/util.h"

void captureDisplayedFrame(SimState& state, const SimVideoFrame& frame, uint64_t sequence) {
  const FrameShape& shape = frame.shape();
  const FramePixels& pixels = *frame.pixels();
  CaptureHeader header;
  header.width = shape.width;
  header.height = shape.height;
  header.rowBytes = shape.rowBytes;
  header.sequence = sequence;
  header.metadata = frame.metadata();
  state.lastMetadata = header.metadata;
  state.hasLastMetadata = true;
  if (state.setup.captureMemory) {
    state.lastFrame.assign(pixels.data, pixels.data + pixels.size);
    state.lastFrameHeader = header;
    state.hasLastFrame = true;
  }
  const std::string& directory = state.setup.captureDirectory;
  if (directory.empty()) return;
  // The display itself succeeded, so a capture that cannot be written does
  // not change what the program sees; it is reported where a test looks:
  // the call log. Never on stderr from inside the display call: a program
  // whose stderr nobody reads would hang there, out of reach of a signal.
  std::string problem;
  if (!makeDirectories(directory, 0755)) {
    problem = "cannot create " + directory + ": " + std::strerror(errno);
  } else {
    const std::string path =
        stringPrintf("%s/frame-%ld-%06llu.r210", directory.c_str(), static_cast<long>(getpid()),
                     static_cast<unsigned long long>(++state.captureFiles));
    writeCaptureFile(path, header, pixels.data, &problem);
  }
  if (!problem.empty()) state.log.write("SIM capture failed: " + problem);
}
