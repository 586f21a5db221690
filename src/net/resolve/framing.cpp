#include "net/resolve/framing.h"

void ResolveFraming::feed(const char* data, size_t size) {
  // Drop what earlier events consumed before the buffer grows, so it never
  // holds more than one message and one read.
  if (taken_ > 0) {
    pending_.erase(0, taken_);
    taken_ = 0;
  }
  pending_.append(data, size);
}

ResolveFraming::Event ResolveFraming::next(std::string* message, std::string* problem) {
  const size_t available = pending_.size() - taken_;
  if (available < 4) return Event::kNeedMore;
  const unsigned char* header = reinterpret_cast<const unsigned char*>(pending_.data() + taken_);
  const uint32_t length = (uint32_t{header[0]} << 24) | (uint32_t{header[1]} << 16) |
                          (uint32_t{header[2]} << 8) | uint32_t{header[3]};
  if (length == kEndOfSession) {
    taken_ += 4;
    return Event::kEnd;
  }
  if (length == 0 || length > kMaxResolveMessage) {
    *problem = "message length " + std::to_string(length) + " is not 1 to " +
               std::to_string(kMaxResolveMessage);
    return Event::kError;
  }
  if (available - 4 < length) return Event::kNeedMore;
  message->assign(pending_, taken_ + 4, length);
  taken_ += 4 + length;
  return Event::kMessage;
}
