#include "render/show_result.h"

const char* whyNotShown(ShowResult result) {
  switch (result) {
    case ShowResult::kShown: return "shown";
    case ShowResult::kNotHeld: return "no device is open";
    case ShowResult::kNotWritable: return "could not write to the frame";
    case ShowResult::kDisplayFailed: return "DisplayVideoFrameSync failed";
  }
  return "unknown";
}
