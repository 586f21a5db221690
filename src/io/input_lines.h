// Reads standard input in pieces the way fgets does, but waits for input at
// a safe point, so that SIGINT and SIGTERM end a waiting loop at once (see
// io/safe_points.h). The loops read nothing else from that descriptor.
#ifndef CORVANE_IO_INPUT_LINES_H
#define CORVANE_IO_INPUT_LINES_H

#include <cstddef>

struct InputLines {
  int fd = 0;
  char buffer[4096];
  size_t begin = 0;  // unread bytes are buffer[begin, end)
  size_t end = 0;
  bool ended = false;  // end of input or a read error
};

// Copies the next piece into `piece` and NUL-terminates it: the bytes up to
// and including the next line feed, but at most size - 1 of them, so a longer
// line arrives in several pieces. Returns false, with `piece` untouched, once
// the input has ended and nothing is left; a last line without a line feed
// is returned as it is.
bool readPiece(InputLines* input, char* piece, size_t size);

#endif  // CORVANE_IO_INPUT_LINES_H
