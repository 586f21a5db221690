// The lines a network server prints while it serves. A server must never
// wait for its standard output: a terminal paused with Ctrl-S, or a pipe
// nobody drains, would otherwise stop it answering every host. So a line
// that standard output cannot take at once is dropped and counted, and the
// next line that gets through is preceded by a line saying how many were
// not shown. (Serve and the console write with writeStdout instead: their
// output is the protocol or the person's, and nothing of it may be lost.)
#ifndef CORVANE_IO_OFFERED_LINES_H
#define CORVANE_IO_OFFERED_LINES_H

#include <cstddef>
#include <string>

// No line a server prints is longer than this many bytes; a longer one is
// cut and ends with "...".
constexpr size_t kLongestServerLine = 300;

// Offers `line` (without its line feed) to standard output without waiting:
// written now, whole or (should standard output take only part of it) with
// the rest written before anything else; or dropped and counted. The write
// is a safe point. Returns true when the line went out.
bool offerStdoutLine(const std::string& line);

// offerStdoutLine for each line of `text` (lines end in a line feed; a last
// line without one is offered too), so that a server's start and end say
// what a holding mode says without waiting either. True when every line
// went out.
bool offerStdoutText(const std::string& text);

// A server's last line, from its signal handler: the rest of a line cut
// short (or, when the signal came during a write, a line feed), then `line` (at most kLongestServerLine bytes) and a line feed,
// each in one write that does not wait. Async-signal-safe: it allocates
// nothing and opens nothing (before the first offered line it writes
// nothing).
void offerLastLine(const char* line);

#endif  // CORVANE_IO_OFFERED_LINES_H
