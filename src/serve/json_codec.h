// Reading values out of request lines and writing response lines, without
// a JSON parser: keys are found by substring search on their quoted text,
// and responses are put together from fixed pieces.
#ifndef CORVANE_SERVE_JSON_CODEC_H
#define CORVANE_SERVE_JSON_CODEC_H

#include <cstddef>
#include <string>

#include "decklink/failure.h"

// Finds the first occurrence of the quoted key anywhere in `line` and the
// first colon after it (whatever lies between), then reads an optionally
// signed decimal integer after any white space. Stores it and returns true;
// leaves `value` alone and returns false when the key, the colon or the
// number is missing. A number beyond the range of int saturates to INT_MAX
// or INT_MIN, so it fails every range check instead of wrapping.
// Keys longer than 29 characters are never found.
bool jsonInt(const char* line, const char* key, int* value);

// Like jsonInt's key search, then reads a JSON integer (an optional minus
// and digits, not followed by a fraction or an exponent) after any white
// space, of any length. Stores its text, without leading zeros, and returns
// true; returns false, leaving `text` alone, when there is none.
bool jsonIntegerText(const char* line, const char* key, std::string* text);

// Like jsonInt's key search, then skips spaces and double quotes and copies
// bytes up to the next double quote or the end of the line, at most
// size - 1 of them, and a NUL. Leaves `buffer` alone when the key or its
// colon is missing.
void jsonStr(const char* line, const char* key, char* buffer, size_t size);

// Text made safe between the quotes of a JSON string: line feed, double
// quote and backslash escaped, other bytes below 0x20 dropped, every other
// byte (UTF-8 included) unchanged.
std::string jsonEscape(const std::string& text);

// Writes `line` and a line feed to standard output at once, unbuffered; the
// write is a safe point for SIGINT and SIGTERM (io/safe_points.h).
void emit(const std::string& line);

// {"ok":false,"code":"<code>","error":"<message>"}, the message escaped.
std::string errorLine(const Failure& failed);

#endif  // CORVANE_SERVE_JSON_CODEC_H
