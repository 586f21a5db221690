// Putting a host's picture on the card and saying so: the step every
// network mode takes for every picture, with the same lines.
#ifndef CORVANE_NET_PICTURE_ON_CARD_H
#define CORVANE_NET_PICTURE_ON_CARD_H

#include "render/show_picture.h"

// Shows the full-field black frame a network mode starts with; when the
// card refuses it, says "black frame not shown: <why>".
void showStartingBlack();

// Shows `picture`, then prints its line (render/show_picture.h), or "patch
// not shown: <why>" when it is not on the card. A safe point follows the
// painting. Returns why the picture is not on the card, or no failure.
Failure showAndReport(const Picture& picture);

#endif  // CORVANE_NET_PICTURE_ON_CARD_H
