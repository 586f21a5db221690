// A strict check that a response line is exactly one JSON object, for
// tests of a program that writes JSON without a JSON library.
#ifndef CORVANE_TESTS_SUPPORT_JSON_CHECK_H
#define CORVANE_TESTS_SUPPORT_JSON_CHECK_H

#include <string>

// True when `text` is one JSON object (RFC 8259 grammar, UTF-8 strings),
// optionally surrounded by white space, and nothing else.
bool isOneJsonObject(const std::string& text);

#endif  // CORVANE_TESTS_SUPPORT_JSON_CHECK_H
