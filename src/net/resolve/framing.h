// The Resolve calibration protocol's framing: each message is a 4-byte
// unsigned big-endian length, not counting itself, then that many bytes of
// XML. Messages arrive split at any byte or several in one read.
#ifndef CORVANE_NET_RESOLVE_FRAMING_H
#define CORVANE_NET_RESOLVE_FRAMING_H

#include <cstddef>
#include <cstdint>
#include <string>

#include "net/received_bytes.h"

// The longest message taken: a patch message is a few hundred bytes.
constexpr uint32_t kMaxResolveMessage = 64 * 1024;

// The length that ends a session (-1 as a signed 32-bit number).
constexpr uint32_t kEndOfSession = 0xFFFFFFFFu;

class ResolveFraming {
 public:
  enum class Event {
    kNeedMore,  // no whole message yet
    kMessage,   // `message` holds one message's bytes
    kEnd,       // the end-of-session marker
    kError,     // a length of 0 or above kMaxResolveMessage; `problem` says which
  };

  // Appends bytes as they arrive.
  void feed(const char* data, size_t size) { received_.append(data, size); }

  // Takes the next event from the bytes fed so far. After kEnd or kError
  // the connection is over: the rest of the stream is not read.
  Event next(std::string* message, std::string* problem);

  // True while bytes of a message that has not ended are held.
  bool holdsPart() const { return received_.size() > 0; }

 private:
  ReceivedBytes received_;
};

#endif  // CORVANE_NET_RESOLVE_FRAMING_H
