// Base64 (RFC 4648, with '=' padding), for protocol values that carry text
// in one field.
#ifndef CORVANE_NET_BASE64_H
#define CORVANE_NET_BASE64_H

#include <string>

std::string base64(const std::string& bytes);

#endif  // CORVANE_NET_BASE64_H
