#include "serve/json_codec.h"

#include <cstdio>
#include <cstring>

#include "io/safe_points.h"
#include "io/decimal_int.h"

namespace {

// The byte after the first colon that follows the first occurrence of the
// quoted key, or null when there is none.
const char* valueAfterKey(const char* line, const char* key) {
  char pattern[32];
  int length = std::snprintf(pattern, sizeof pattern, "\"%s\"", key);
  if (length < 0 || length >= static_cast<int>(sizeof pattern)) return nullptr;
  const char* found = std::strstr(line, pattern);
  if (found == nullptr) return nullptr;
  const char* colon = std::strchr(found + length, ':');
  return colon == nullptr ? nullptr : colon + 1;
}

}  // namespace

bool jsonInt(const char* line, const char* key, int* value) {
  const char* text = valueAfterKey(line, key);
  return text != nullptr && readDecimalInt(&text, value);
}

bool jsonIntegerText(const char* line, const char* key, std::string* text) {
  const char* cursor = valueAfterKey(line, key);
  if (cursor == nullptr) return false;
  while (*cursor == ' ' || *cursor == '\t' || *cursor == '\n' || *cursor == '\r') ++cursor;
  const bool negative = *cursor == '-';
  if (negative) ++cursor;
  const char* first = cursor;
  while (*cursor >= '0' && *cursor <= '9') ++cursor;
  if (cursor == first || *cursor == '.' || *cursor == 'e' || *cursor == 'E') return false;
  while (cursor - first > 1 && *first == '0') ++first;
  *text = (negative ? "-" : "") + std::string(first, cursor);
  return true;
}

void jsonStr(const char* line, const char* key, char* buffer, size_t size) {
  const char* text = valueAfterKey(line, key);
  if (text == nullptr || size == 0) return;
  while (*text == ' ' || *text == '"') ++text;
  size_t copied = 0;
  while (copied + 1 < size && text[copied] != '\0' && text[copied] != '"') {
    buffer[copied] = text[copied];
    ++copied;
  }
  buffer[copied] = '\0';
}

std::string jsonEscape(const std::string& text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (char c : text) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (byte == '\n') {
      escaped += "\\n";
    } else if (byte == '"' || byte == '\\') {
      escaped += '\\';
      escaped += c;
    } else if (byte >= 0x20) {
      escaped += c;
    }
  }
  return escaped;
}

void emit(const std::string& line) {
  writeStdoutLine(line);
}

std::string errorLine(const Failure& failed) {
  return std::string("{\"ok\":false,\"code\":\"") + failureCodeName(failed.code) +
         "\",\"error\":\"" + jsonEscape(failed.message) + "\"}";
}
