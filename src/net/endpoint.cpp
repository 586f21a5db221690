#include "net/endpoint.h"

#include <algorithm>

namespace {

Failure bad(const std::string& problem) { return failure(FailureCode::kBadRequest, problem); }

}  // namespace

bool parsePortNumber(const std::string& text, uint16_t* port) {
  long value = 0;
  bool digits = !text.empty() && text.size() <= 5;
  for (char c : text) {
    if (c < '0' || c > '9') digits = false;
    if (digits) value = value * 10 + (c - '0');
  }
  if (!digits || value > 65535) return false;
  *port = static_cast<uint16_t>(value);
  return true;
}

Failure parseEndpoint(const std::string& text, uint16_t defaultPort, Endpoint* endpoint) {
  std::string host = text;
  std::string port;
  bool hasPort = false;
  if (!text.empty() && text[0] == '[') {
    const size_t close = text.find(']');
    if (close == std::string::npos) return bad("'" + text + "' has no closing ']'");
    host = text.substr(1, close - 1);
    const std::string rest = text.substr(close + 1);
    if (!rest.empty()) {
      if (rest[0] != ':') return bad("'" + text + "' has text after ']' that is not ':port'");
      port = rest.substr(1);
      hasPort = true;
    }
  } else if (std::count(text.begin(), text.end(), ':') == 1) {
    const size_t colon = text.find(':');
    host = text.substr(0, colon);
    port = text.substr(colon + 1);
    hasPort = true;
  }
  if (host.empty()) return bad("no host in '" + text + "'");
  Endpoint parsed;
  parsed.host = host;
  parsed.port = defaultPort;
  if (hasPort && (!parsePortNumber(port, &parsed.port) || parsed.port == 0)) {
    return bad("port '" + port + "' is not a number from 1 to 65535");
  }
  *endpoint = parsed;
  return {};
}

std::string endpointText(const Endpoint& endpoint) {
  const bool v6 = endpoint.host.find(':') != std::string::npos;
  return (v6 ? "[" + endpoint.host + "]" : endpoint.host) + ":" + std::to_string(endpoint.port);
}
