// Bytes from the network as a console line may show them.
#ifndef CORVANE_NET_PRINTABLE_TEXT_H
#define CORVANE_NET_PRINTABLE_TEXT_H

#include <cstddef>
#include <string>

// `bytes` with every byte outside printable ASCII (and the backslash)
// written as \xNN, cut after `longest` bytes of input with "..." added, so
// that no host can put control bytes, lines or megabytes on the console.
std::string printableText(const std::string& bytes, size_t longest = 120);

#endif  // CORVANE_NET_PRINTABLE_TEXT_H
