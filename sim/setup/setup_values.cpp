#include "setup/setup_values.h"

#include <cerrno>
#include <cstdlib>

namespace {

// readResult without the message.
bool parseResult(const std::string& text, HRESULT* result) {
  for (const NamedResult& named : kNamedResults) {
    if (text == named.name) {
      *result = named.value;
      return true;
    }
  }
  if (text.empty()) return false;
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  const char* digits = text.c_str() + (hex ? 2 : 0);
  // strtoll skips leading spaces and accepts a sign on hex; neither belongs
  // in a result value.
  if (*digits == ' ' || (hex && (*digits == '-' || *digits == '+'))) return false;
  errno = 0;
  char* end = nullptr;
  long long value = std::strtoll(digits, &end, hex ? 16 : 10);
  if (errno != 0 || end == digits || *end != '\0') return false;
  if (value < -2147483648LL || value > 0xFFFFFFFFLL) return false;
  *result = static_cast<HRESULT>(static_cast<uint32_t>(value));
  return true;
}

}  // namespace

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

bool readVersion(const std::string& text, int64_t* value, std::string* problem) {
  int64_t word = 0;
  int parts = 0;
  size_t start = 0;
  bool ok = true;
  while (ok && start <= text.size()) {
    size_t end = text.find('.', start);
    if (end == std::string::npos) end = text.size();
    const std::string part = text.substr(start, end - start);
    ok = !part.empty() && part.size() <= 3 && ++parts <= 3;
    for (char c : part) ok = ok && c >= '0' && c <= '9';
    if (ok) ok = std::stoi(part) <= 255;
    if (ok) word |= int64_t{std::stoi(part)} << (32 - 8 * parts);
    start = end + 1;
  }
  if (!ok || parts < 2) {
    *problem = "expected a version such as 16.0 or 16.0.1 (parts 0-255), not '" + text + "'";
    return false;
  }
  *value = word;
  return true;
}
