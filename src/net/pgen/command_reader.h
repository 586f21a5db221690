// The PGenerator protocol's framing: every command is text followed by the
// two bytes 0x02 0x0D, with no length before it. Commands arrive split at
// any byte or several in one read.
#ifndef CORVANE_NET_PGEN_COMMAND_READER_H
#define CORVANE_NET_PGEN_COMMAND_READER_H

#include <cstddef>
#include <string>

#include "net/received_bytes.h"

// The two bytes that end every command and every reply.
constexpr char kPgenEnd[] = "\x02\x0D";
constexpr size_t kPgenEndSize = 2;

// The longest command taken, terminator not counted: HCFR's longest, its
// template upload, is a few hundred bytes.
constexpr size_t kMaxPgenCommand = 64 * 1024;

class PgenCommandReader {
 public:
  enum class Event {
    kNeedMore,  // no whole command yet
    kCommand,   // `command` holds one command, without its terminator
    kTooLong,   // more than kMaxPgenCommand bytes without a terminator: the
                // connection is over, the rest of the stream is not read
  };

  // Appends bytes as they arrive.
  void feed(const char* data, size_t size) { received_.append(data, size); }

  // Takes the next event from the bytes fed so far.
  Event next(std::string* command);

 private:
  ReceivedBytes received_;
  size_t searched_ = 0;  // no terminator starts in the first searched_ bytes received
};

#endif  // CORVANE_NET_PGEN_COMMAND_READER_H
