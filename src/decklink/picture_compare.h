// Comparing a frame that arrived at the input with the frame that was
// sent: pixel for pixel and metadata field by field, and what kind of
// change explains every difference found.
#ifndef CORVANE_DECKLINK_PICTURE_COMPARE_H
#define CORVANE_DECKLINK_PICTURE_COMPARE_H

#include <cstdint>
#include <string>
#include <vector>

#include "decklink/captured_frame.h"
#include "decklink/signalling.h"

// A sent 'r210' picture, as the held frame holds it.
struct SentPicture {
  const unsigned char* pixels;
  int64_t rowBytes;
  int32_t width;
  int32_t height;
};

// What became of the pixels, the first kind that explains every difference.
enum class PixelChange {
  kExact,
  kNoSignal,       // the frame says there is no signal at the input
  kOtherFormat,    // another size or pixel format than sent, or no pixels
  kSdiClipped,     // 0-3 became 4 and 1020-1023 became 1019, nothing else
  kVideoClipped,   // codes below 64 or above 940 clipped there, nothing else
  kLowBits,        // the two low bits lost (an 8-bit path)
  kLevelsScaled,   // full range scaled into 64-940 (a range conversion)
  kChromaShared,   // colours changed only where neighbouring pixels differ (4:2:2)
  kChanged,        // none of these explains it
};

enum class MetadataChange { kSame, kMissing, kChanged };

struct FrameComparison {
  PixelChange pixels = PixelChange::kExact;
  int64_t differing = 0;  // pixels that differ
  std::string firstDifference;  // "(x,y) sent R G B, received R G B"
  MetadataChange metadata = MetadataChange::kSame;
  std::string metadataDifference;  // "EOTF sent 2, received 0"

  bool exact() const { return pixels == PixelChange::kExact && metadata == MetadataChange::kSame; }
};

FrameComparison compareArrival(const SentPicture& sent, const Signalling& signalling,
                               const CapturedFrame& arrived);

// "exact", "no signal at the input", "another format at the input",
// "codes clipped (SDI reserved codes 0-3, 1020-1023)", "codes clipped (video
// levels 64-940)", "low bits lost (8-bit path)", "levels scaled (full range
// to video range)", "chroma shared between neighbouring pixels (4:2:2)",
// "pixels changed".
const char* pixelChangeText(PixelChange change);
// "", "metadata missing", "metadata changed".
const char* metadataChangeText(MetadataChange change);

// The difference in one line for a person: the pixel change with the first
// difference, and the metadata's.
std::string comparisonText(const FrameComparison& comparison);

// The mean absolute difference per component between the two pictures,
// over every fourth row: how near an arrival is to a sent frame, to tell
// which one it is. Pictures of different sizes are as far apart as can be.
double pictureDistance(const SentPicture& sent, const CapturedFrame& arrived);

#endif  // CORVANE_DECKLINK_PICTURE_COMPARE_H
