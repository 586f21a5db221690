// The JSON-lines protocol a host calibration application drives: one
// request per line on standard input, one response per line on standard
// output, which carries nothing else.
#ifndef CORVANE_SERVE_SERVE_LOOP_H
#define CORVANE_SERVE_SERVE_LOOP_H

// Installs the release-on-signal handling, writes the ready line, answers
// requests until end of input or "quit", and returns with nothing held.
void serve();

// Answers one request piece (NUL-terminated, at most 511 bytes); returns
// false for "quit", which gets no answer.
bool serveRequest(const char* line);

#endif  // CORVANE_SERVE_SERVE_LOOP_H
