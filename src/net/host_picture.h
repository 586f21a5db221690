// A host's picture: its colour codes as the 10-bit codes corvane paints
// (the one scaling of both network protocols), and putting the picture on
// the card and saying so (the step every network mode takes for every
// picture, with the same lines).
#ifndef CORVANE_NET_HOST_PICTURE_H
#define CORVANE_NET_HOST_PICTURE_H

#include <cstdint>

#include "render/show_picture.h"

// A code at `bits` bits (1 to 16) as a 10-bit code, the way the hosts scale
// video levels: up to 10 bits shifted left (8-bit 16 -> 64, 235 -> 940,
// 255 -> 1020); above 10 bits rounded to the nearest, at most 1023.
uint16_t toTenBits(uint32_t code, int bits);

// Shows the full-field black frame a network mode starts with; when the
// card refuses it, says "black frame not shown: <why>".
void showStartingBlack();

// Shows `picture`, then prints its line (render/show_picture.h), or "patch
// not shown: <why>" when it is not on the card. A safe point follows the
// painting. Returns why the picture is not on the card, or no failure.
Failure showAndReport(const Picture& picture);

#endif  // CORVANE_NET_HOST_PICTURE_H
