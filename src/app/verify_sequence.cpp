#include "app/verify_sequence.h"

#include <cstring>

#include "decklink/device_hold.h"
#include "decklink/held_card.h"
#include "render/pixel_word.h"
#include "render/show_alignment.h"
#include "render/show_picture.h"

namespace {

constexpr int kCodes = 1024;

// Band b of the code frames (five bands, top to bottom): red, green, blue,
// gray ramps (code = part * width + x, the codes past 1023 wrapping), and
// stripes where each pixel of a pair has another colour.
uint32_t codeFramePixel(int band, int32_t x, int part, int32_t width) {
  const uint16_t code = static_cast<uint16_t>((int64_t{part} * width + x) % kCodes);
  switch (band) {
    case 0:
      return pixelWord(code, 0, 0);
    case 1:
      return pixelWord(0, code, 0);
    case 2:
      return pixelWord(0, 0, code);
    case 3:
      return grayWord(code);
    default:
      break;
  }
  return (x & 1) == 0 ? pixelWord(code, 1023 - code, 0) : pixelWord(0, code, 1023 - code);
}

Failure showCodeFrame(int part) {
  return paintAndShow([part](const FrameView& frame) {
    for (int32_t y = 0; y < frame.height; ++y) {
      const int band = static_cast<int>(int64_t{y} * 5 / frame.height);
      unsigned char* row = frame.pixels + frame.rowBytes * y;
      for (int32_t x = 0; x < frame.width; ++x) {
        const uint32_t word = storedWord(codeFramePixel(band, x, part, frame.width));
        std::memcpy(row + int64_t{4} * x, &word, sizeof word);
      }
    }
    return true;
  });
}

// A centred patch, a different one for each frame so that each can be told
// from the others by its content.
Failure showPatchFrame(Rgb10 patch, Rgb10 background, double area) {
  Picture picture;
  picture.background = background;
  picture.rects.push_back({patchRectForArea(area, gMode->width, gMode->height), patch});
  return showPicture(picture);
}

bool sameSignalling(const Signalling& a, const Signalling& b) {
  return signallingText(a) == signallingText(b);
}

}  // namespace

std::vector<SentFrame> verifySequence(int32_t width, bool pq, bool hlg) {
  std::vector<SentFrame> frames;
  const int parts = static_cast<int>((kCodes + width - 1) / width);
  for (int part = 0; part < parts; ++part) {
    frames.push_back(
        {"codes " + std::to_string(part + 1) + "/" + std::to_string(parts), Signalling(), part});
  }
  frames.push_back({"patch", Signalling(), 0});
  frames.push_back({"alignment", Signalling(), 0});
  if (pq) frames.push_back({"pq", signallingFor(Eotf::kPq), 0});
  if (hlg) frames.push_back({"hlg", signallingFor(Eotf::kHlg), 0});
  return frames;
}

Failure showSentFrame(const SentFrame& frame) {
  if (!sameSignalling(frame.signalling, gSignalling)) {
    const Failure refused = setSignalling(frame.signalling);
    if (refused.failed()) return refused;
  }
  if (frame.name == "patch") return showPatchFrame({1023, 512, 0}, {64, 64, 64}, 10);
  if (frame.name == "alignment") {
    PatchRect inner, outer;
    return showAlignment(64, 546, 721, 3, 10, &inner, &outer);
  }
  if (frame.name == "pq") return showPatchFrame({520, 520, 520}, {0, 0, 0}, 18);
  if (frame.name == "hlg") return showPatchFrame({753, 600, 400}, {0, 0, 0}, 30);
  return showCodeFrame(frame.part);
}
