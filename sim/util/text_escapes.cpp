#include "util/text_escapes.h"

#include "util/util.h"

namespace {

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Length of the valid UTF-8 sequence starting at `s` (at most `left`
// bytes available), or 0 when it is not one. Overlong forms and surrogates
// count as invalid, as a strict decoder would see them.
size_t utf8SequenceLength(const unsigned char* s, size_t left) {
  unsigned char lead = s[0];
  size_t length;
  unsigned minimum;
  unsigned codePoint;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, minimum = 0x80, codePoint = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, minimum = 0x800, codePoint = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, minimum = 0x10000, codePoint = lead & 0x07u;
  } else {
    return 0;
  }
  if (left < length) return 0;
  for (size_t i = 1; i < length; ++i) {
    if ((s[i] & 0xC0) != 0x80) return 0;
    codePoint = (codePoint << 6) | (s[i] & 0x3Fu);
  }
  if (codePoint < minimum || codePoint > 0x10FFFF) return 0;
  if (codePoint >= 0xD800 && codePoint <= 0xDFFF) return 0;
  return length;
}

}  // namespace

bool unescapeText(const std::string& text, std::string* out, std::string* problem) {
  out->clear();
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out->push_back(text[i]);
      continue;
    }
    if (i + 1 >= text.size()) {
      *problem = "'\\' at the end of the value";
      return false;
    }
    char kind = text[++i];
    switch (kind) {
      case '\\': out->push_back('\\'); break;
      case 'n': out->push_back('\n'); break;
      case 't': out->push_back('\t'); break;
      case '"': out->push_back('"'); break;
      case 'x': {
        int high = i + 1 < text.size() ? hexDigit(text[i + 1]) : -1;
        int low = i + 2 < text.size() ? hexDigit(text[i + 2]) : -1;
        if (high < 0 || low < 0) {
          *problem = "'\\x' needs two hex digits";
          return false;
        }
        if (high == 0 && low == 0) {
          *problem = "'\\x00' cannot be part of a name";
          return false;
        }
        out->push_back(static_cast<char>(high * 16 + low));
        i += 2;
        break;
      }
      default:
        *problem = stringPrintf("unknown escape '\\%c'", kind);
        return false;
    }
  }
  return true;
}

std::string quoteForLog(const char* text) {
  std::string quoted = "\"";
  const unsigned char* s = reinterpret_cast<const unsigned char*>(text);
  size_t left = std::char_traits<char>::length(text);
  while (left > 0) {
    unsigned char c = *s;
    size_t step = 1;
    if (c == '\\') {
      quoted += "\\\\";
    } else if (c == '"') {
      quoted += "\\\"";
    } else if (c == '\n') {
      quoted += "\\n";
    } else if (c == '\t') {
      quoted += "\\t";
    } else if (c < 0x20 || c == 0x7F) {
      quoted += stringPrintf("\\x%02X", c);
    } else if (c < 0x80) {
      quoted.push_back(static_cast<char>(c));
    } else if ((step = utf8SequenceLength(s, left)) != 0) {
      quoted.append(reinterpret_cast<const char*>(s), step);
    } else {
      quoted += stringPrintf("\\x%02X", c);
      step = 1;
    }
    s += step;
    left -= step;
  }
  quoted += "\"";
  return quoted;
}

bool isUtf8(const std::string& text) {
  const unsigned char* s = reinterpret_cast<const unsigned char*>(text.data());
  size_t left = text.size();
  while (left > 0) {
    const size_t step = s[0] < 0x80 ? 1 : utf8SequenceLength(s, left);
    if (step == 0) return false;
    s += step;
    left -= step;
  }
  return true;
}
