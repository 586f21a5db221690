#include "accounting/call_log.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "util/util.h"

namespace {

// One write() per line: with O_APPEND the kernel places each whole line at
// the end of the file, so processes sharing the file never interleave
// within a line, and a process killed at any moment leaves whole lines.
void writeLine(int fd, const std::string& line) {
  std::string record = std::to_string(static_cast<long>(getpid())) + " " + line + "\n";
  ssize_t written;
  do {
    written = ::write(fd, record.data(), record.size());
  } while (written < 0 && errno == EINTR);
}

}  // namespace

bool CallLog::openFile(const std::string& path, std::string* problem) {
  closeFile();
  // Like the capture and hold directories, the log's directory is made
  // when missing, so one fresh directory per test run is enough.
  const size_t slash = path.find_last_of('/');
  if (slash != std::string::npos && slash > 0) makeDirectories(path.substr(0, slash), 0755);
  fd_ = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd_ < 0) {
    *problem = "cannot open log file " + path + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

void CallLog::closeFile() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

void CallLog::write(const std::string& line) {
  if (keep_ && !truncated_) {
    if (memory_.size() + line.size() < kMemoryLimit) {
      memory_ += line;
      memory_ += '\n';
    } else {
      memory_ += "SIM memory log full; later lines only in the log file\n";
      truncated_ = true;
    }
  }
  writeFileOnly(line);
}

void CallLog::writeFileOnly(const std::string& line) {
  if (fd_ >= 0) writeLine(fd_, line);
}

void CallLog::clear() {
  memory_.clear();
  truncated_ = false;
}
