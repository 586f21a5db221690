#include "string_printf.h"

#include <cstdarg>
#include <cstdio>

std::string stringPrintf(const char* format, ...) {
  // Most log lines fit the stack buffer; longer ones (names, paths) are
  // formatted a second time at their exact size.
  char small[256];
  va_list args;
  va_start(args, format);
  int length = std::vsnprintf(small, sizeof small, format, args);
  va_end(args);
  if (length < 0) return std::string();
  if (static_cast<size_t>(length) < sizeof small) return std::string(small, length);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  va_start(args, format);
  std::vsnprintf(&text[0], text.size(), format, args);
  va_end(args);
  text.resize(static_cast<size_t>(length));
  return text;
}
