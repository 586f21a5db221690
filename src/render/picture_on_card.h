// What the card shows, for those who ask (serve's status, the console's):
// the kind of the last picture shown on the held frame and its codes in
// words. The painters note each picture once the card has accepted it.
#ifndef CORVANE_RENDER_PICTURE_ON_CARD_H
#define CORVANE_RENDER_PICTURE_ON_CARD_H

#include <string>

struct PictureOnCard {
  std::string kind;   // "none", "patch", "picture", "alignment", "pattern"
  std::string codes;  // "940 940 940 window 607x342 at (656,369) on 64 64 64"; "" for none
};

// Called by the painters after the card accepted the picture.
void notePictureShown(const std::string& kind, const std::string& codes);

// The last picture noted, or "none" when the held frame has never been
// shown (nothing held; a new device or mode before its first picture).
PictureOnCard pictureOnCard();

// "patch 940 940 940 window ... on 64 64 64", "none".
std::string pictureOnCardText();

#endif  // CORVANE_RENDER_PICTURE_ON_CARD_H
