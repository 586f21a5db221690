// printf into a std::string, for building log lines and messages.
#ifndef DECKLINK_SIM_STRING_PRINTF_H
#define DECKLINK_SIM_STRING_PRINTF_H

#include <string>

std::string stringPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

#endif  // DECKLINK_SIM_STRING_PRINTF_H
