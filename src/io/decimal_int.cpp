#include "io/decimal_int.h"

#include <climits>

namespace {

bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool readDecimalInt(const char** cursor, int* value) {
  const char* text = *cursor;
  while (isSpace(*text)) ++text;
  const bool negative = *text == '-';
  if (*text == '-' || *text == '+') ++text;
  if (!isDigit(*text)) return false;
  // Accumulated below zero, where INT_MIN fits too; once far beyond the
  // range of int the digits are still consumed but no longer multiplied.
  long long accumulated = 0;
  for (; isDigit(*text); ++text) {
    if (accumulated > LLONG_MIN / 100) accumulated = accumulated * 10 - (*text - '0');
  }
  if (negative) {
    *value = accumulated < INT_MIN ? INT_MIN : static_cast<int>(accumulated);
  } else {
    *value = accumulated < -static_cast<long long>(INT_MAX) ? INT_MAX
                                                            : static_cast<int>(-accumulated);
  }
  *cursor = text;
  return true;
}
