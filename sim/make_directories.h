// mkdir -p, for the hold and capture directories a test names.
#ifndef DECKLINK_SIM_MAKE_DIRECTORIES_H
#define DECKLINK_SIM_MAKE_DIRECTORIES_H

#include <string>

// Creates `path` and any missing parents with `mode`. True when the
// directory exists afterwards; otherwise errno tells why.
bool makeDirectories(const std::string& path, unsigned mode);

#endif  // DECKLINK_SIM_MAKE_DIRECTORIES_H
