// Text from the network as a terminal line may show it: every piece of
// host text corvane prints goes through printableText, so that no host can
// put control bytes, forged lines or megabytes on the terminal.
#ifndef CORVANE_NET_PRINTABLE_TEXT_H
#define CORVANE_NET_PRINTABLE_TEXT_H

#include <cstddef>
#include <string>

// `bytes` with every byte outside printable ASCII (and the backslash)
// written as \xNN, at most `longest` characters of it; text cut there ends
// with "...".
std::string printableText(const std::string& bytes, size_t longest = 120);

// How much of a host's value a message quotes ("bits '...' is not 1 to
// 16"), and of a name a host gave (a template's, a query's).
constexpr size_t kQuotedValue = 40;
constexpr size_t kQuotedName = 60;

#endif  // CORVANE_NET_PRINTABLE_TEXT_H
