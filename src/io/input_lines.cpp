#include "io/input_lines.h"

#include <unistd.h>

#include <cerrno>

#include "io/safe_points.h"

namespace {

// Refills the buffer, waiting at a safe point. Marks the input ended at its
// end or on an error.
void refill(InputLines* input) {
  input->begin = input->end = 0;
  if (!waitUntilReadable(input->fd)) {
    input->ended = true;
    return;
  }
  ssize_t got;
  do {
    got = read(input->fd, input->buffer, sizeof input->buffer);
  } while (got < 0 && errno == EINTR);
  if (got <= 0) {
    input->ended = true;
    return;
  }
  input->end = static_cast<size_t>(got);
}

}  // namespace

bool readPiece(InputLines* input, char* piece, size_t size) {
  if (size == 0) return false;
  size_t length = 0;
  while (length + 1 < size) {
    if (input->begin == input->end) {
      if (input->ended) break;
      refill(input);
      continue;
    }
    char c = input->buffer[input->begin++];
    piece[length++] = c;
    if (c == '\n') break;
  }
  if (length == 0 && size > 1) return false;
  piece[length] = '\0';
  return true;
}
