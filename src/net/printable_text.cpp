#include "net/printable_text.h"

#include "io/format.h"

std::string printableText(const std::string& bytes, size_t longest) {
  std::string text;
  const size_t shown = bytes.size() > longest ? longest : bytes.size();
  for (size_t i = 0; i < shown; ++i) {
    const unsigned char c = static_cast<unsigned char>(bytes[i]);
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      text += static_cast<char>(c);
    } else {
      text += formatted("\\x%02X", unsigned{c});
    }
  }
  if (shown < bytes.size()) text += "...";
  return text;
}
