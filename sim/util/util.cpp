#include "util/util.h"

#include <sys/stat.h>

#include <cerrno>
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

bool makeDirectories(const std::string& path, unsigned mode) {
  struct stat info;
  if (stat(path.c_str(), &info) == 0) {
    if (S_ISDIR(info.st_mode)) return true;
    errno = ENOTDIR;
    return false;
  }
  size_t slash = path.find_last_of('/');
  if (slash != std::string::npos && slash > 0 &&
      !makeDirectories(path.substr(0, slash), mode)) {
    return false;
  }
  // Another process may create it between the stat and here.
  return mkdir(path.c_str(), mode) == 0 || errno == EEXIST;
}
