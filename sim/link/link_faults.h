// What the link between an output and an input does to a frame, the faults
// a setup chooses (setup/input_setup.h): the pixel faults on 'r210' words
// and the metadata faults.
#ifndef DECKLINK_SIM_LINK_LINK_FAULTS_H
#define DECKLINK_SIM_LINK_LINK_FAULTS_H

#include <cstdint>
#include <vector>

#include "capture/frame_metadata.h"
#include "setup/input_setup.h"

// In this order: 4:2:2 (each pair of pixels shares its Cb and Cr, through
// full-range BT.709 Y'CbCr quantised to 10 bits, and back), video levels
// (0-1023 scaled into 64-940), low bits (cleared), SDI clipping (4-1019).
void applyPixelFaults(const InputSetup& link, int32_t width, int32_t height, int32_t rowBytes,
                      std::vector<unsigned char>* pixels);

// Dropped: no HDR flag and no values. Changed: the maximum mastering
// luminance one higher, or, where there is none, the EOTF's low bit flipped
// (HLG arrives as PQ).
FrameMetadata applyMetadataFault(const InputSetup& link, FrameMetadata metadata);

#endif  // DECKLINK_SIM_LINK_LINK_FAULTS_H
