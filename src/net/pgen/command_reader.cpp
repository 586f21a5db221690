#include "net/pgen/command_reader.h"

#include <string_view>

PgenCommandReader::Event PgenCommandReader::next(std::string* command) {
  const std::string_view received(received_.data(), received_.size());
  // The search resumes where the last one stopped, so a command that
  // arrives a byte at a time is not searched again from its start.
  const size_t end = received.find(std::string_view(kPgenEnd, kPgenEndSize), searched_);
  if (end == std::string_view::npos) {
    // The last byte may be the first half of a terminator: the search
    // starts there next time, and the command is at least one byte shorter.
    const bool halfEnd = !received.empty() && received.back() == kPgenEnd[0];
    searched_ = received.size() - (halfEnd ? 1 : 0);
    return searched_ > kMaxPgenCommand ? Event::kTooLong : Event::kNeedMore;
  }
  if (end > kMaxPgenCommand) return Event::kTooLong;
  command->assign(received.data(), end);
  received_.take(end + kPgenEndSize);
  searched_ = 0;
  return Event::kCommand;
}
