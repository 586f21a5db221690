// Escapes in configured names, and quoting of names for the log.
#ifndef DECKLINK_SIM_UTIL_TEXT_ESCAPES_H
#define DECKLINK_SIM_UTIL_TEXT_ESCAPES_H

#include <string>

// Reads \\ \n \t \" and \xNN (two hex digits) so a configuration can give a
// name any bytes, including invalid UTF-8. A NUL byte is refused: the name
// is handed out as a C string and would end there. Returns false with
// `problem` set on a bad escape.
bool unescapeText(const std::string& text, std::string* out, std::string* problem);

// The text in double quotes with the same escapes, so a log line stays one
// printable line whatever the name holds. Valid UTF-8 stays as it is;
// control bytes and bytes that are not part of valid UTF-8 become \xNN.
std::string quoteForLog(const char* text);

// Whether `text` is valid UTF-8 throughout, by the same strict rule as
// quoteForLog (no overlong forms, no surrogates).
bool isUtf8(const std::string& text);

#endif  // DECKLINK_SIM_UTIL_TEXT_ESCAPES_H
