#include "decklink/signalling_write.h"

#include <iterator>
#include <vector>

#include "decklink/query_interface.h"

namespace {

struct Chromaticities {
  double redX, redY, greenX, greenY, blueX, blueY, whiteX, whiteY;
};

// The named sets' primaries and white (CIE 1931 x, y). The three P3 sets
// share their primaries and differ in their white: D65, the DCI white,
// D60.
Chromaticities chromaticitiesOf(Primaries primaries) {
  switch (primaries) {
    case Primaries::kRec2020: return {0.708, 0.292, 0.170, 0.797, 0.131, 0.046, 0.3127, 0.3290};
    case Primaries::kP3D65: return {0.680, 0.320, 0.265, 0.690, 0.150, 0.060, 0.3127, 0.3290};
    case Primaries::kDciP3: return {0.680, 0.320, 0.265, 0.690, 0.150, 0.060, 0.314, 0.351};
    case Primaries::kP3D60: return {0.680, 0.320, 0.265, 0.690, 0.150, 0.060, 0.32168, 0.33767};
    case Primaries::kRec709: break;
  }
  return {0.640, 0.330, 0.300, 0.600, 0.150, 0.060, 0.3127, 0.3290};
}

int64_t eotfCode(Eotf eotf) {
  switch (eotf) {
    case Eotf::kPq: return kEotfPq;
    case Eotf::kHlg: return kEotfHlg;
    case Eotf::kSdr: break;
  }
  return kEotfSdr;
}

}  // namespace

std::vector<MetadataWrite> signallingValues(const Signalling& s) {
  const BMDColorspace colourSpace =
      s.colourSpace == ColourSpace::kRec2020 ? bmdColorspaceRec2020 : bmdColorspaceRec709;
  std::vector<MetadataWrite> values = {
      {bmdDeckLinkFrameMetadataColorspace, "colour space", false, colourSpace, 0},
      {bmdDeckLinkFrameMetadataHDRElectroOpticalTransferFunc, "EOTF", false, eotfCode(s.eotf), 0},
  };
  if (s.eotf != Eotf::kPq) return values;
  const Chromaticities c = chromaticitiesOf(s.primaries);
  const MetadataWrite pq[] = {
      {bmdDeckLinkFrameMetadataHDRDisplayPrimariesRedX, "red primary x", true, 0, c.redX},
      {bmdDeckLinkFrameMetadataHDRDisplayPrimariesRedY, "red primary y", true, 0, c.redY},
      {bmdDeckLinkFrameMetadataHDRDisplayPrimariesGreenX, "green primary x", true, 0, c.greenX},
      {bmdDeckLinkFrameMetadataHDRDisplayPrimariesGreenY, "green primary y", true, 0, c.greenY},
      {bmdDeckLinkFrameMetadataHDRDisplayPrimariesBlueX, "blue primary x", true, 0, c.blueX},
      {bmdDeckLinkFrameMetadataHDRDisplayPrimariesBlueY, "blue primary y", true, 0, c.blueY},
      {bmdDeckLinkFrameMetadataHDRWhitePointX, "white point x", true, 0, c.whiteX},
      {bmdDeckLinkFrameMetadataHDRWhitePointY, "white point y", true, 0, c.whiteY},
      {bmdDeckLinkFrameMetadataHDRMaxDisplayMasteringLuminance, "maximum mastering luminance",
       true, 0, double(s.maxLuminance)},
      // Divided, not multiplied by 0.0001: the nearest double to the value,
      // as the literal "0.0005" gives.
      {bmdDeckLinkFrameMetadataHDRMinDisplayMasteringLuminance, "minimum mastering luminance",
       true, 0, s.minLuminance / 10000.0},
      {bmdDeckLinkFrameMetadataHDRMaximumContentLightLevel, "MaxCLL", true, 0, double(s.maxCll)},
      {bmdDeckLinkFrameMetadataHDRMaximumFrameAverageLightLevel, "MaxFALL", true, 0,
       double(s.maxFall)},
  };
  values.insert(values.end(), std::begin(pq), std::end(pq));
  return values;
}

namespace {

Failure refusal(const char* what, HRESULT result) {
  return failure(FailureCode::kFailed,
                 std::string("the card refused the ") + what + " (" + hresultName(result) + ")");
}

// Every value of `s`; fails at the first that the card refuses.
Failure setValues(IDeckLinkVideoFrameMutableMetadataExtensions* metadata, const Signalling& s) {
  for (const MetadataWrite& value : signallingValues(s)) {
    const HRESULT result = value.isFloat ? metadata->SetFloat(value.id, value.number)
                                         : metadata->SetInt(value.id, value.integer);
    if (result != kS_OK) return refusal(value.what, result);
  }
  return {};
}

Failure setHdrFlag(IDeckLinkMutableVideoFrame* frame, bool on) {
  const BMDFrameFlags flags = frame->GetFlags();
  const BMDFrameFlags wanted =
      on ? (flags | bmdFrameContainsHDRMetadata) : (flags & ~bmdFrameContainsHDRMetadata);
  if (wanted == flags) return {};
  const HRESULT result = frame->SetFlags(wanted);
  return result == kS_OK ? Failure() : refusal("frame flags", result);
}

}  // namespace

Failure writeSignalling(IDeckLinkMutableVideoFrame* frame, const Signalling& signalling) {
  HRESULT found = kS_OK;
  IDeckLinkVideoFrameMutableMetadataExtensions* metadata =
      queryInterface<IDeckLinkVideoFrameMutableMetadataExtensions>(
          frame, IID_IDeckLinkVideoFrameMutableMetadataExtensions, &found);
  if (metadata == nullptr) {
    return failure(FailureCode::kFailed,
                   std::string("the frame refused its metadata interface (") +
                       (found != kS_OK ? hresultName(found) : "no interface") + ")");
  }
  const Failure unset = setValues(metadata, signalling);
  metadata->Release();
  if (unset.failed()) return unset;
  return setHdrFlag(frame, signalling.eotf != Eotf::kSdr);
}
