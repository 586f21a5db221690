// Text for the terminal: printf-style formatting into a string, for lines
// that go out through writeStdout (io/safe_points.h) rather than through
// stdio's buffer; and text from the network as a line may show it.
#ifndef CORVANE_IO_FORMAT_H
#define CORVANE_IO_FORMAT_H

#include <cstddef>
#include <string>

__attribute__((format(printf, 1, 2))) std::string formatted(const char* format, ...);

// `bytes` with every byte outside printable ASCII (and the backslash)
// written as \xNN, at most `longest` characters of it; text cut there ends
// with "...". Every piece of host text corvane prints goes through it, so
// that no host can put control bytes, forged lines or megabytes on the
// terminal.
std::string printableText(const std::string& bytes, size_t longest = 120);

// How much of a host's value a message quotes ("bits '...' is not 1 to
// 16"), and of a name a host gave (a template's, a query's).
constexpr size_t kQuotedValue = 40;
constexpr size_t kQuotedName = 60;

#endif  // CORVANE_IO_FORMAT_H
