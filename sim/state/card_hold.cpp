#include "state/card_hold.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "util/util.h"

namespace {

// The holder's pid, written into the lock file so a refused process (and a
// developer looking at the directory) can tell who has the card.
std::string readHolder(int fd) {
  char text[32] = {};
  ssize_t got = pread(fd, text, sizeof text - 1, 0);
  if (got <= 0) return std::string();
  std::string holder(text, static_cast<size_t>(got));
  size_t end = holder.find_first_not_of("0123456789");
  holder = holder.substr(0, end);
  return holder.empty() ? std::string() : "pid " + holder;
}

void writeHolder(int fd) {
  std::string pid = std::to_string(static_cast<long>(getpid())) + "\n";
  if (ftruncate(fd, 0) == 0) (void)!pwrite(fd, pid.data(), pid.size(), 0);
}

}  // namespace

CardHold::Outcome CardHold::take(const std::string& directory, const std::string& id,
                                 std::string* detail) {
  if (held()) return Outcome::kTaken;
  if (!makeDirectories(directory, 0700)) {
    *detail = "cannot create " + directory + ": " + std::strerror(errno);
    return Outcome::kError;
  }
  const std::string path = directory + "/" + id + ".lock";
  // O_CLOEXEC: a program the holder starts must not inherit the hold.
  int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) {
    *detail = "cannot open " + path + ": " + std::strerror(errno);
    return Outcome::kError;
  }
  int locked;
  do {
    locked = flock(fd, LOCK_EX | LOCK_NB);
  } while (locked != 0 && errno == EINTR);
  if (locked != 0) {
    const int lockError = errno;
    Outcome outcome = Outcome::kError;
    if (lockError == EWOULDBLOCK) {
      outcome = Outcome::kHeldElsewhere;
      *detail = readHolder(fd);
    } else {
      *detail = "cannot lock " + path + ": " + std::strerror(lockError);
    }
    close(fd);
    return outcome;
  }
  writeHolder(fd);
  fd_ = fd;
  return Outcome::kTaken;
}

void CardHold::drop() {
  if (!held()) return;
  flock(fd_, LOCK_UN);
  close(fd_);
  fd_ = -1;
}

void CardHold::forgetInChild() {
  if (held()) close(fd_);
  fd_ = -1;
}

std::string defaultHoldDirectory() {
  return "/tmp/decklink-sim-hold-" + std::to_string(static_cast<unsigned long>(getuid()));
}
