// The pixel memory of one frame. The frame and each buffer object obtained
// from it share it, so whichever is released last frees it; the count of
// open buffer accesses lives here too, because every buffer of a frame
// opens the same memory.
#ifndef DECKLINK_SIM_FRAME_PIXELS_H
#define DECKLINK_SIM_FRAME_PIXELS_H

#include <cstdint>
#include <cstdlib>

struct FramePixels {
  FramePixels(unsigned char* memory, uint64_t bytes) : data(memory), size(bytes) {}
  ~FramePixels() { std::free(data); }
  FramePixels(const FramePixels&) = delete;
  FramePixels& operator=(const FramePixels&) = delete;

  unsigned char* const data;  // from calloc
  const uint64_t size;
  int openAccesses = 0;
};

#endif  // DECKLINK_SIM_FRAME_PIXELS_H
