#include "render/show_picture.h"

#include "decklink/frame_display.h"
#include "decklink/held_device.h"
#include "render/frame_access.h"
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

}  // namespace

Failure showPicture(const Picture& picture) {
  const Failure held = checkFrameHeld();
  if (held.failed()) return held;
  std::vector<PaintedRect> painted;
  for (const PictureText& text : picture.texts) {
    const Failure set = appendTextRuns(
        {text.text, text.x, text.y, text.size, storedColour(text.colour)}, gMode->width,
        gMode->height, &painted);
    if (set.failed()) return set;
  }
  painted.reserve(painted.size() + picture.rects.size());
  for (const ColouredRect& rect : picture.rects) {
    painted.push_back({rect.rect, storedColour(rect.colour)});
  }
  const Failure shown = paintHeldFrame(storedColour(picture.background), painted);
  if (!shown.failed()) {
    const bool patch = picture.rects.size() == 1 && picture.texts.empty();
    notePictureShown(patch ? "patch" : "picture", pictureCodes(picture));
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
