#include "net/pgen/settings.h"

#include "net/printable_text.h"

std::string applyPgenSetting(const std::string& command) {
  return "setting ignored: " + printableText(command) +
         " (corvane keeps 10-bit RGB 4:4:4 at the mode it was started with)";
}
