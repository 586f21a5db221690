// printf-style formatting into a string, for lines that go out through
// writeStdout (io/safe_points.h) rather than through stdio's buffer.
#ifndef CORVANE_IO_FORMAT_H
#define CORVANE_IO_FORMAT_H

#include <string>

__attribute__((format(printf, 1, 2))) std::string formatted(const char* format, ...);

#endif  // CORVANE_IO_FORMAT_H
