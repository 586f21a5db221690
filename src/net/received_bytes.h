// The bytes of a stream received and not yet taken by a protocol's reader:
// appended as they arrive, taken from the front. What was taken is dropped
// before the next append, so the buffer never holds more than one unfinished
// message and one read.
#ifndef CORVANE_NET_RECEIVED_BYTES_H
#define CORVANE_NET_RECEIVED_BYTES_H

#include <cstddef>
#include <string>

class ReceivedBytes {
 public:
  void append(const char* data, size_t size) {
    bytes_.erase(0, taken_);
    taken_ = 0;
    bytes_.append(data, size);
  }

  // The bytes not taken yet, from the first.
  const char* data() const { return bytes_.data() + taken_; }
  size_t size() const { return bytes_.size() - taken_; }

  // Takes the first `count` (at most size()) bytes.
  void take(size_t count) { taken_ += count; }

 private:
  std::string bytes_;
  size_t taken_ = 0;  // bytes_[0, taken_) is taken
};

#endif  // CORVANE_NET_RECEIVED_BYTES_H
