// The call log: one line per call on a simulated object, kept in memory for
// in-process tests and, when a log file is set, appended to that file as it
// happens for tests that run the program as a child process.
#ifndef DECKLINK_SIM_ACCOUNTING_CALL_LOG_H
#define DECKLINK_SIM_ACCOUNTING_CALL_LOG_H

#include <string>

class CallLog {
 public:
  // Opens `path` for appending, creating its directory when missing; the
  // previous file, if any, is closed first.
  bool openFile(const std::string& path, std::string* problem);
  void closeFile();

  // Appends `line` (without its '\n') to memory and to the file. In the file
  // each line starts with the writing process's id.
  void write(const std::string& line);
  // For lines that only make sense in a file several runs share.
  void writeFileOnly(const std::string& line);

  // Whether lines are kept in memory too. Off until a test takes control
  // through the control API: a process set up from the environment alone
  // (corvane run by a host for hours) keeps its log only in the file, so it
  // does not grow with every request.
  void keepInMemory(bool keep) { keep_ = keep; }

  const std::string& text() const { return memory_; }
  void clear();

 private:
  // Past this size the memory log stops growing (the file log does not), so
  // a long session cannot exhaust memory through its own log.
  static constexpr size_t kMemoryLimit = size_t{64} << 20;

  std::string memory_;
  bool truncated_ = false;
  bool keep_ = false;
  int fd_ = -1;
};

#endif  // DECKLINK_SIM_ACCOUNTING_CALL_LOG_H
