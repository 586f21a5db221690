// Small helpers the whole library uses: printf into a std::string, and
// mkdir -p.
#ifndef DECKLINK_SIM_UTIL_UTIL_H
#define DECKLINK_SIM_UTIL_UTIL_H

#include <string>

// printf into a std::string, for building log lines and messages.
std::string stringPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

// mkdir -p, for the log, hold and capture directories a test names.
// Creates `path` and any missing parents with `mode`. True when the
// directory exists afterwards; otherwise errno tells why.
bool makeDirectories(const std::string& path, unsigned mode);

#endif  // DECKLINK_SIM_UTIL_UTIL_H
