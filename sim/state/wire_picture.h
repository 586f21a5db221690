// What a card's output puts on the cable: a copy of the last frame it
// displayed, taken at the display, when some card's input has a cable from
// it. Immutable once made, so the input's thread can read it unlocked.
#ifndef DECKLINK_SIM_STATE_WIRE_PICTURE_H
#define DECKLINK_SIM_STATE_WIRE_PICTURE_H

#include <cstdint>
#include <memory>
#include <vector>

#include "capture/frame_metadata.h"
#include "decklink/decklink_api.h"

struct WirePicture {
  BMDDisplayMode mode = 0;  // the output's mode when it was displayed
  int32_t width = 0;
  int32_t height = 0;
  int32_t rowBytes = 0;
  std::vector<unsigned char> pixels;
  FrameMetadata metadata;
};

#endif  // DECKLINK_SIM_STATE_WIRE_PICTURE_H
