#include "net/pgen/command_reader.h"

void PgenCommandReader::feed(const char* data, size_t size) {
  // Drop what earlier commands consumed before the buffer grows, so it never
  // holds more than one command and one read.
  if (taken_ > 0) {
    pending_.erase(0, taken_);
    searched_ -= taken_;
    taken_ = 0;
  }
  pending_.append(data, size);
}

PgenCommandReader::Event PgenCommandReader::next(std::string* command) {
  // The search resumes where the last one stopped, so a command that
  // arrives a byte at a time is not searched again from its start.
  const size_t end = pending_.find(kPgenEnd, searched_, kPgenEndSize);
  if (end == std::string::npos) {
    // The last byte may be the first half of a terminator: the search
    // starts there next time, and the command is at least one byte shorter.
    const bool halfEnd = pending_.size() > taken_ && pending_.back() == kPgenEnd[0];
    searched_ = pending_.size() - (halfEnd ? 1 : 0);
    const size_t shortest = pending_.size() - taken_ - (halfEnd ? 1 : 0);
    return shortest > kMaxPgenCommand ? Event::kTooLong : Event::kNeedMore;
  }
  if (end - taken_ > kMaxPgenCommand) return Event::kTooLong;
  command->assign(pending_, taken_, end - taken_);
  taken_ = end + kPgenEndSize;
  searched_ = taken_;
  return Event::kCommand;
}
