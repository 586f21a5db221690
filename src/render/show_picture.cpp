#include "render/show_picture.h"

#include "decklink/held_card.h"
#include "render/paint_rects.h"
#include "render/picture_on_card.h"
#include "render/pixel_word.h"
#include "render/text_runs.h"

namespace {

uint32_t storedColour(const Rgb10& colour) {
  return storedWord(pixelWord(colour.r, colour.g, colour.b));
}

std::string colourText(const Rgb10& colour) {
  return std::to_string(colour.r) + " " + std::to_string(colour.g) + " " + std::to_string(colour.b);
}

// Host text in a line: control bytes as '?', cut after 120 bytes, so that
// no text can move a terminal's cursor or flood its line.
std::string shownText(const std::string& text) {
  std::string shown = text.substr(0, 120);
  for (char& c : shown) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  }
  return text.size() > 120 ? shown + "..." : shown;
}

// `texts`, the picture's text set as runs, go under its rectangles.
bool paintPicture(const FrameView& frame, const Picture& picture,
                  const std::vector<PaintedRect>& texts) {
  std::vector<PaintedRect> painted = texts;
  painted.reserve(texts.size() + picture.rects.size());
  for (const ColouredRect& rect : picture.rects) {
    painted.push_back({rect.rect, storedColour(rect.colour)});
  }
  return paintFrame(frame, storedColour(picture.background), painted);
}

}  // namespace

Failure showPicture(const Picture& picture) {
  // Text is set before the frame is opened, so that a text that cannot be
  // set (no font) fails the picture with its own reason.
  std::vector<PaintedRect> texts;
  if (picture.texts.size() > kMaxPictureTexts) {
    return failure(FailureCode::kBadRequest, "a picture carries at most " +
                                                 std::to_string(kMaxPictureTexts) +
                                                 " lines of text");
  }
  if (!picture.texts.empty()) {
    const Failure held = checkFrameHeld();
    if (held.failed()) return held;
    for (const PictureText& text : picture.texts) {
      const Failure set = appendTextRuns(
          {text.text, text.x, text.y, text.size, storedColour(text.colour)}, gMode->width,
          gMode->height, &texts);
      if (set.failed()) return set;
    }
  }
  const Failure shown = paintAndShow(
      [&](const FrameView& frame) { return paintPicture(frame, picture, texts); });
  if (!shown.failed()) {
    const bool patch = picture.rects.size() == 1 && picture.texts.empty();
    notePictureShown(patch ? "patch" : "picture", pictureCodes(picture));
  }
  return shown;
}

Failure showPatch(uint16_t r, uint16_t g, uint16_t b, uint16_t bgR, uint16_t bgG, uint16_t bgB,
                  double areaPercent, PatchRect* outRect) {
  const Failure shown = paintAndShow([&](const FrameView& frame) {
    *outRect = patchRectForArea(areaPercent, frame.width, frame.height);
    return paintPicture(frame, {{bgR, bgG, bgB}, {{*outRect, {r, g, b}}}}, {});
  });
  if (!shown.failed()) {
    notePictureShown("patch", pictureCodes({{bgR, bgG, bgB}, {{*outRect, {r, g, b}}}}));
  }
  return shown;
}

std::string pictureCodes(const Picture& picture) {
  std::string codes;
  for (size_t i = 0; i < picture.rects.size(); ++i) {
    const PatchRect& r = picture.rects[i].rect;
    codes += (i > 0 ? "; " : "") + colourText(picture.rects[i].colour) + " window " +
             std::to_string(r.w) + "x" + std::to_string(r.h) + " at (" + std::to_string(r.x) +
             "," + std::to_string(r.y) + ")";
  }
  codes += (codes.empty() ? "on " : " on ") + colourText(picture.background);
  for (const PictureText& text : picture.texts) {
    codes += "; text '" + shownText(text.text) + "' " + colourText(text.colour) + " size " +
             std::to_string(text.size) + " at (" + std::to_string(text.x) + "," +
             std::to_string(text.y) + ")";
  }
  return codes;
}

std::string pictureLine(const Picture& picture) { return "patch " + pictureCodes(picture); }
