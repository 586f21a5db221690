#include "support/windows.h"

std::string windowText(const PatchRect& window) {
  return std::to_string(window.w) + "x" + std::to_string(window.h) + " at (" +
         std::to_string(window.x) + "," + std::to_string(window.y) + ")";
}

std::string patchLine(const std::string& colour, const PatchRect& window,
                      const std::string& background) {
  return "patch " + colour + " window " + windowText(window) + " on " + background;
}

std::string patchAnswer(const PatchRect& window) {
  return "{\"ok\":true,\"x\":" + std::to_string(window.x) + ",\"y\":" + std::to_string(window.y) +
         ",\"w\":" + std::to_string(window.w) + ",\"h\":" + std::to_string(window.h) + "}";
}
