#include "config_values.h"

#include "result_codes.h"

bool readBool(const std::string& text, bool* value, std::string* problem) {
  if (text == "yes" || text == "true" || text == "1") {
    *value = true;
    return true;
  }
  if (text == "no" || text == "false" || text == "0") {
    *value = false;
    return true;
  }
  *problem = "expected yes or no, not '" + text + "'";
  return false;
}

bool readResult(const std::string& text, HRESULT* value, std::string* problem) {
  if (parseResult(text, value)) return true;
  *problem = "expected a result (a name such as E_FAIL, or a number), not '" + text + "'";
  return false;
}

bool readCount(const std::string& text, long minimum, long* value, std::string* problem) {
  long parsed = 0;
  bool digits = !text.empty() && text.size() <= 10;
  for (char c : text) digits = digits && c >= '0' && c <= '9';
  if (digits) parsed = std::stol(text);
  if (!digits || parsed < minimum || parsed > 2147483647L) {
    *problem = "expected a whole number of at least " + std::to_string(minimum) + ", not '" +
               text + "'";
    return false;
  }
  *value = parsed;
  return true;
}
