#include "decklink/frame_display.h"

#include "decklink/held_device.h"

bool displayHeldFrameOnCard() {
  if (gOutput->DisplayVideoFrameSync(gFrame) != kS_OK) return false;
  gFrameShown = true;
  return true;
}
