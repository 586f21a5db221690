#include "net/printable_text.h"

#include "io/format.h"

std::string printableText(const std::string& bytes, size_t longest) {
  std::string text;
  for (const char byte : bytes) {
    const unsigned char c = static_cast<unsigned char>(byte);
    const std::string shown = c >= 0x20 && c < 0x7F && c != '\\'
                                  ? std::string(1, byte)
                                  : formatted("\\x%02X", unsigned{c});
    if (text.size() + shown.size() > longest) return text + "...";
    text += shown;
  }
  return text;
}
