#include "decklink/picture_compare.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "decklink/decklink_input_api.h"
#include "decklink/signalling_write.h"

namespace {

struct Rgb {
  int r, g, b;
};

Rgb rgbAt(const unsigned char* row, int32_t x) {
  const unsigned char* p = row + int64_t{4} * x;
  const uint32_t word =
      (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
  return {int((word >> 20) & 0x3FF), int((word >> 10) & 0x3FF), int(word & 0x3FF)};
}

bool same(const Rgb& a, const Rgb& b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

std::string rgbText(const Rgb& c) {
  return std::to_string(c.r) + " " + std::to_string(c.g) + " " + std::to_string(c.b);
}

// Full range 0-1023 scaled into video range 64-940.
int videoLevel(int code) { return int(std::lround(64 + code * 876.0 / 1023.0)); }

// Which kinds of change explain every component seen so far.
struct Explanations {
  bool sdiClipped = true;
  bool videoClipped = true;
  bool lowBits = true;
  bool levelsScaled = true;
  bool chromaShared = true;

  // One component: sent `s`, received `r`; `pairDiffers` says whether the
  // pixel's 4:2:2 neighbour was sent in another colour.
  void see(int s, int r, bool pairDiffers) {
    if (std::abs(r - videoLevel(s)) > 1) levelsScaled = false;
    if (s == r) return;
    if (!((s <= 3 && r == 4) || (s >= 1020 && r == 1019))) sdiClipped = false;
    if (!((s < 64 && r == 64) || (s > 940 && r == 940))) videoClipped = false;
    if ((r & 3) != 0 || std::abs(r - s) > 3) lowBits = false;
    // A Y'CbCr round trip moves a colour by a code or two even where the
    // neighbours agree; more only where they differ.
    if (!pairDiffers && std::abs(r - s) > 2) chromaShared = false;
  }

  PixelChange verdict() const {
    if (sdiClipped) return PixelChange::kSdiClipped;
    // A picture whose codes all lie outside 64-940 (black, white) reads as
    // either; a range conversion is the likelier cause.
    if (levelsScaled) return PixelChange::kLevelsScaled;
    if (videoClipped) return PixelChange::kVideoClipped;
    if (lowBits) return PixelChange::kLowBits;
    if (chromaShared) return PixelChange::kChromaShared;
    return PixelChange::kChanged;
  }
};

bool fitsSent(const SentPicture& sent, const CapturedFrame& arrived) {
  return arrived.width == sent.width && arrived.height == sent.height &&
         arrived.pixelFormat == bmdFormat10BitRGB && arrived.rowBytes >= int64_t{4} * sent.width &&
         int64_t(arrived.pixels.size()) >= arrived.rowBytes * arrived.height;
}

void comparePixels(const SentPicture& sent, const CapturedFrame& arrived,
                   FrameComparison* comparison) {
  if ((arrived.flags & bmdFrameHasNoInputSource) != 0) {
    comparison->pixels = PixelChange::kNoSignal;
    return;
  }
  if (!fitsSent(sent, arrived)) {
    comparison->pixels = PixelChange::kOtherFormat;
    comparison->firstDifference =
        "sent " + std::to_string(sent.width) + "x" + std::to_string(sent.height) + ", received " +
        std::to_string(arrived.width) + "x" + std::to_string(arrived.height);
    return;
  }
  Explanations explanations;
  for (int32_t y = 0; y < sent.height; ++y) {
    const unsigned char* sentRow = sent.pixels + sent.rowBytes * y;
    const unsigned char* gotRow = arrived.pixels.data() + arrived.rowBytes * y;
    for (int32_t x = 0; x < sent.width; ++x) {
      const Rgb s = rgbAt(sentRow, x);
      const Rgb r = rgbAt(gotRow, x);
      const int32_t partner = (x ^ 1) < sent.width ? (x ^ 1) : x;
      const bool pairDiffers = !same(s, rgbAt(sentRow, partner));
      explanations.see(s.r, r.r, pairDiffers);
      explanations.see(s.g, r.g, pairDiffers);
      explanations.see(s.b, r.b, pairDiffers);
      if (same(s, r)) continue;
      if (comparison->differing++ == 0) {
        comparison->firstDifference = "(" + std::to_string(x) + "," + std::to_string(y) +
                                      ") sent " + rgbText(s) + ", received " + rgbText(r);
      }
    }
  }
  comparison->pixels = comparison->differing == 0 ? PixelChange::kExact : explanations.verdict();
}

const CapturedValue* valueOf(const CapturedFrame& arrived, BMDDeckLinkFrameMetadataID id) {
  for (const CapturedValue& value : arrived.metadata) {
    if (value.id == id && value.present) return &value;
  }
  return nullptr;
}

std::string valueText(bool isFloat, int64_t integer, double number) {
  if (!isFloat) return std::to_string(integer);
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", number);
  return text;
}

void compareMetadata(const Signalling& signalling, const CapturedFrame& arrived,
                     FrameComparison* comparison) {
  const bool flagged = (arrived.flags & bmdFrameContainsHDRMetadata) != 0;
  if (signalling.eotf == Eotf::kSdr) {
    if (flagged) {
      comparison->metadata = MetadataChange::kChanged;
      comparison->metadataDifference = "an SDR frame arrived flagged as carrying HDR metadata";
    }
    return;
  }
  if (!flagged || !arrived.metadataAnswered) {
    comparison->metadata = MetadataChange::kMissing;
    comparison->metadataDifference = "the frame arrived without HDR metadata";
    return;
  }
  for (const MetadataWrite& sent : signallingValues(signalling)) {
    const CapturedValue* got = valueOf(arrived, sent.id);
    if (got == nullptr) {
      comparison->metadata = MetadataChange::kMissing;
      comparison->metadataDifference = std::string(sent.what) + " missing";
      return;
    }
    const bool equal = sent.isFloat ? std::fabs(got->number - sent.number) <=
                                          1e-9 * std::fmax(1.0, std::fabs(sent.number))
                                    : got->integer == sent.integer;
    if (!equal) {
      comparison->metadata = MetadataChange::kChanged;
      comparison->metadataDifference =
          std::string(sent.what) + " sent " + valueText(sent.isFloat, sent.integer, sent.number) +
          ", received " + valueText(sent.isFloat, got->integer, got->number);
      return;
    }
  }
}

}  // namespace

FrameComparison compareArrival(const SentPicture& sent, const Signalling& signalling,
                               const CapturedFrame& arrived) {
  FrameComparison comparison;
  comparePixels(sent, arrived, &comparison);
  if (comparison.pixels != PixelChange::kNoSignal)
    compareMetadata(signalling, arrived, &comparison);
  return comparison;
}

const char* pixelChangeText(PixelChange change) {
  switch (change) {
    case PixelChange::kExact:
      return "exact";
    case PixelChange::kNoSignal:
      return "no signal at the input";
    case PixelChange::kOtherFormat:
      return "another format at the input";
    case PixelChange::kSdiClipped:
      return "codes clipped (SDI reserved codes 0-3, 1020-1023)";
    case PixelChange::kVideoClipped:
      return "codes clipped (video levels 64-940)";
    case PixelChange::kLowBits:
      return "low bits lost (8-bit path)";
    case PixelChange::kLevelsScaled:
      return "levels scaled (full range to video range)";
    case PixelChange::kChromaShared:
      return "chroma shared between neighbouring pixels (4:2:2)";
    case PixelChange::kChanged:
      break;
  }
  return "pixels changed";
}

const char* metadataChangeText(MetadataChange change) {
  switch (change) {
    case MetadataChange::kMissing:
      return "metadata missing";
    case MetadataChange::kChanged:
      return "metadata changed";
    case MetadataChange::kSame:
      break;
  }
  return "";
}

std::string comparisonText(const FrameComparison& comparison) {
  std::string text;
  if (comparison.pixels != PixelChange::kExact) {
    text = pixelChangeText(comparison.pixels);
    if (!comparison.firstDifference.empty()) text += ", first at " + comparison.firstDifference;
  }
  if (comparison.metadata != MetadataChange::kSame) {
    text += (text.empty() ? "" : "; ") + std::string(metadataChangeText(comparison.metadata)) +
            ": " + comparison.metadataDifference;
  }
  return text.empty() ? "exact" : text;
}

double pictureDistance(const SentPicture& sent, const CapturedFrame& arrived) {
  if (!fitsSent(sent, arrived) || (arrived.flags & bmdFrameHasNoInputSource) != 0) return 1e9;
  double total = 0;
  int64_t count = 0;
  for (int32_t y = 0; y < sent.height; y += 4) {
    const unsigned char* sentRow = sent.pixels + sent.rowBytes * y;
    const unsigned char* gotRow = arrived.pixels.data() + arrived.rowBytes * y;
    for (int32_t x = 0; x < sent.width; ++x) {
      const Rgb s = rgbAt(sentRow, x);
      const Rgb r = rgbAt(gotRow, x);
      total += std::abs(s.r - r.r) + std::abs(s.g - r.g) + std::abs(s.b - r.b);
      count += 3;
    }
  }
  return count > 0 ? total / double(count) : 1e9;
}
