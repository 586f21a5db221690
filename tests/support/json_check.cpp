#include "support/json_check.h"

#include <cctype>

namespace {

class Checker {
 public:
  explicit Checker(const std::string& text) : s_(text) {}

  bool object() {
    space();
    if (!take('{')) return false;
    space();
    if (take('}')) return true;
    do {
      space();
      if (!string()) return false;
      space();
      if (!take(':') || !value()) return false;
      space();
    } while (take(','));
    return take('}');
  }

  bool atEnd() {
    space();
    return i_ == s_.size();
  }

 private:
  bool value() {
    space();
    if (i_ >= s_.size()) return false;
    char c = s_[i_];
    if (c == '{') return object();
    if (c == '[') return array();
    if (c == '"') return string();
    if (c == '-' || (c >= '0' && c <= '9')) return number();
    return word("true") || word("false") || word("null");
  }

  bool array() {
    take('[');
    space();
    if (take(']')) return true;
    do {
      if (!value()) return false;
      space();
    } while (take(','));
    return take(']');
  }

  bool string() {
    if (!take('"')) return false;
    while (i_ < s_.size()) {
      unsigned char c = static_cast<unsigned char>(s_[i_++]);
      if (c == '"') return true;
      if (c < 0x20) return false;
      if (c == '\\') {
        if (i_ >= s_.size()) return false;
        char e = s_[i_++];
        if (e == 'u') {
          for (int k = 0; k < 4; ++k) {
            if (i_ >= s_.size() || !isxdigit(static_cast<unsigned char>(s_[i_++]))) return false;
          }
        } else if (std::string("\"\\/bfnrt").find(e) == std::string::npos) {
          return false;
        }
      } else if (c >= 0x80 && !utf8Tail(c)) {
        return false;
      }
    }
    return false;
  }

  // The continuation bytes of a UTF-8 character whose lead byte was `lead`.
  bool utf8Tail(unsigned char lead) {
    int tail = lead >= 0xF0 && lead <= 0xF4 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 ? 1 : -1;
    if (tail < 0 || lead > 0xF4) return false;
    for (int k = 0; k < tail; ++k) {
      if (i_ >= s_.size() || (static_cast<unsigned char>(s_[i_++]) & 0xC0) != 0x80) return false;
    }
    return true;
  }

  bool number() {
    take('-');
    if (take('0')) {
    } else if (!digits()) {
      return false;
    }
    if (take('.') && !digits()) return false;
    if (take('e') || take('E')) {
      if (!take('+')) take('-');
      if (!digits()) return false;
    }
    return true;
  }

  bool digits() {
    size_t start = i_;
    while (i_ < s_.size() && s_[i_] >= '0' && s_[i_] <= '9') ++i_;
    return i_ > start;
  }

  bool word(const char* w) {
    std::string text(w);
    if (s_.compare(i_, text.size(), text) != 0) return false;
    i_ += text.size();
    return true;
  }

  bool take(char c) {
    if (i_ < s_.size() && s_[i_] == c) {
      ++i_;
      return true;
    }
    return false;
  }

  void space() {
    while (i_ < s_.size() &&
           (s_[i_] == ' ' || s_[i_] == '\t' || s_[i_] == '\n' || s_[i_] == '\r')) {
      ++i_;
    }
  }

  const std::string& s_;
  size_t i_ = 0;
};

}  // namespace

bool isOneJsonObject(const std::string& text) {
  Checker checker(text);
  return checker.object() && checker.atEnd();
}
