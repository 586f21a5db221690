// The cross-process hold on one card's output, as the real driver keeps it:
// while one process has the output enabled, no other process can enable
// it. An exclusive flock() on <hold directory>/<card id>.lock; the kernel
// drops it when the holding process dies, however it dies, which ends the
// hold as the real driver does.
#ifndef DECKLINK_SIM_STATE_CARD_HOLD_H
#define DECKLINK_SIM_STATE_CARD_HOLD_H

#include <string>

class CardHold {
 public:
  enum class Outcome { kTaken, kHeldElsewhere, kError };

  // Takes the hold. kHeldElsewhere sets `detail` to the holder ("pid 123")
  // when the lock file tells; kError sets it to what went wrong.
  Outcome take(const std::string& directory, const std::string& id, std::string* detail);
  // Unlocks and closes; nothing when not held.
  void drop();
  // Closes without unlocking, for a forked child: the lock belongs to the
  // open file both processes share, and unlocking would end the parent's
  // hold.
  void forgetInChild();

  bool held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

// /tmp/decklink-sim-hold-<uid>: per user, so two users' tests never meet.
std::string defaultHoldDirectory();

#endif  // DECKLINK_SIM_STATE_CARD_HOLD_H
