#include "io/format.h"

#include <cstdarg>
#include <cstdio>

std::string formatted(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  va_list again;
  va_copy(again, arguments);
  const int length = std::vsnprintf(nullptr, 0, format, arguments);
  va_end(arguments);
  std::string text;
  if (length > 0) {
    text.resize(static_cast<size_t>(length) + 1);
    std::vsnprintf(&text[0], text.size(), format, again);
    text.resize(static_cast<size_t>(length));
  }
  va_end(again);
  return text;
}

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
