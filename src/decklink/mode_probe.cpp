#include "decklink/mode_probe.h"

bool probeMode(IDeckLinkOutput* output, const OutputMode& mode) {
  bool supported = false;
  BMDDisplayMode actualMode = 0;  // not read: the program never converts modes
  HRESULT result = output->DoesSupportVideoMode(
      bmdVideoConnectionUnspecified, mode.displayMode, bmdFormat10BitRGB,
      bmdNoVideoOutputConversion, bmdSupportedVideoModeDefault, &actualMode, &supported);
  return result == kS_OK && supported;
}
