#include "net/resolve/framing.h"

ResolveFraming::Event ResolveFraming::next(std::string* message, std::string* problem) {
  if (received_.size() < 4) return Event::kNeedMore;
  const unsigned char* header = reinterpret_cast<const unsigned char*>(received_.data());
  const uint32_t length = (uint32_t{header[0]} << 24) | (uint32_t{header[1]} << 16) |
                          (uint32_t{header[2]} << 8) | uint32_t{header[3]};
  if (length == kEndOfSession) {
    received_.take(4);
    return Event::kEnd;
  }
  if (length == 0 || length > kMaxResolveMessage) {
    *problem = "message length " + std::to_string(length) + " is not 1 to " +
               std::to_string(kMaxResolveMessage);
    return Event::kError;
  }
  if (received_.size() - 4 < length) return Event::kNeedMore;
  message->assign(received_.data() + 4, length);
  received_.take(4 + length);
  return Event::kMessage;
}
