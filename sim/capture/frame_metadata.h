// The metadata a frame carried when it was displayed: its flag word and the
// values set through its metadata extensions. Kept with every captured
// frame, written into capture files and PNG text, and shown in the log.
//
// Shared by the simulated card and decklink-sim-png, so it uses nothing of
// the DeckLink declarations: identifiers are plain FourCC numbers.
#ifndef DECKLINK_SIM_CAPTURE_FRAME_METADATA_H
#define DECKLINK_SIM_CAPTURE_FRAME_METADATA_H

#include <cstdint>
#include <string>
#include <vector>

struct MetadataValue {
  uint32_t id = 0;  // FourCC, e.g. 'eotf'
  bool isFloat = false;
  int64_t intValue = 0;
  double floatValue = 0;
};

struct FrameMetadata {
  uint32_t flags = 0;                 // the frame's flag word
  std::vector<MetadataValue> values;  // in the order of kMetadataIds, each id once

  // Anything beyond a plain frame: a flag or a value. A plain frame's log
  // line, capture file (version 1) and picture carry no metadata at all.
  bool any() const { return flags != 0 || !values.empty(); }
};

// The ids the card keeps, in the order it lists them; the first two are
// integers, the rest floating point.
extern const uint32_t kMetadataIds[];
extern const int kMetadataIdCount;
// The position of `id` in kMetadataIds, or -1.
int metadataIdIndex(uint32_t id);
bool metadataIdIsFloat(uint32_t id);

// An id as its four letters ("eotf").
std::string metadataIdText(uint32_t id);
// A value as text: the colour space as its four letters ("2020"), other
// integers in decimal, floating point values in the fewest digits that
// read back as the same number ("0.708", "0.0001").
std::string metadataValueText(const MetadataValue& value);
// "flags=0x2 cspc=2020 eotf=2 hdrx=0.708 ...": the whole record on one line.
std::string frameMetadataText(const FrameMetadata& metadata);
// The fewest digits of `value` that read back exactly.
std::string shortestDecimal(double value);

#endif  // DECKLINK_SIM_CAPTURE_FRAME_METADATA_H
