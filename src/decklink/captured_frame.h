// What the program keeps of a frame that arrived at the card's input: the
// copy it compares with what it sent, made on the driver's thread before
// the frame went back to the driver.
#ifndef CORVANE_DECKLINK_CAPTURED_FRAME_H
#define CORVANE_DECKLINK_CAPTURED_FRAME_H

#include <cstdint>
#include <vector>

#include "decklink/decklink_api.h"

// One metadata value as the frame answered it.
struct CapturedValue {
  BMDDeckLinkFrameMetadataID id = 0;
  bool present = false;  // the frame answered the id (S_OK)
  int64_t integer = 0;
  double number = 0;
};

struct CapturedFrame {
  uint64_t arrival = 0;  // 1 for the first frame after the input was opened
  int32_t width = 0;
  int32_t height = 0;
  int64_t rowBytes = 0;
  BMDPixelFormat pixelFormat = 0;
  BMDFrameFlags flags = 0;
  bool timed = false;  // GetStreamTime answered
  BMDTimeValue streamTime = 0;
  BMDTimeValue streamDuration = 0;
  // rowBytes x height bytes as the frame held them; empty when its
  // buffer, access or address was refused.
  std::vector<unsigned char> pixels;
  bool metadataAnswered = false;  // the frame offered its metadata interface
  std::vector<CapturedValue> metadata;  // in the order of kCapturedMetadataIds
};

// The ids read from every frame: colour space and EOTF (integers), then the
// HDR10 values (floating point), in the order signallingValues writes them.
constexpr int kCapturedMetadataCount = 14;
extern const BMDDeckLinkFrameMetadataID kCapturedMetadataIds[kCapturedMetadataCount];

#endif  // CORVANE_DECKLINK_CAPTURED_FRAME_H
