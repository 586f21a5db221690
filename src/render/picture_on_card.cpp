#include "render/picture_on_card.h"

#include "decklink/held_card.h"

namespace {

// The record of the last picture shown. It outlives the frame it was shown
// on, so it is read only while gFrameShown says the held frame was shown.
PictureOnCard gLastPicture{"none", ""};

}  // namespace

void notePictureShown(const std::string& kind, const std::string& codes) {
  gLastPicture = {kind, codes};
}

PictureOnCard pictureOnCard() {
  if (gFrame == nullptr || !gFrameShown) return {"none", ""};
  return gLastPicture;
}

std::string pictureOnCardText() {
  const PictureOnCard picture = pictureOnCard();
  return picture.codes.empty() ? picture.kind : picture.kind + " " + picture.codes;
}
