#include "make_directories.h"

#include <sys/stat.h>

#include <cerrno>

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
