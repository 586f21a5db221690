// Runs the real corvane binary as a child process over pipes, the way a
// host application does, against the simulated card.
#ifndef CORVANE_TESTS_SUPPORT_CHILD_PROCESS_H
#define CORVANE_TESTS_SUPPORT_CHILD_PROCESS_H

#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

class ChildProcess {
 public:
  // Starts `args` (args[0] is the program) with the test's environment,
  // changed by `environment`: a value replaces the variable, an empty value
  // removes it. The child's stdout and stdin are pipes; stderr is inherited.
  // With `busyDescriptors`, the child starts with every descriptor from 3
  // up to that number open (on /dev/null), so that its own descriptors get
  // numbers above it. With `terminal`, its stdout is a pseudo-terminal rather
  // than a pipe, read the same way.
  ChildProcess(const std::vector<std::string>& args,
               const std::map<std::string, std::string>& environment, int busyDescriptors = 0,
               bool terminal = false);
  ~ChildProcess();

  pid_t pid() const { return pid_; }

  // Writes to the child's standard input; false when the pipe is closed.
  bool write(const std::string& text);
  void closeInput();
  void closeOutput();

  // The next line of standard output without its line feed; "<eof>" at end
  // of output, "<timeout>" after `timeoutMs` without a whole line.
  std::string readLine(int timeoutMs = 20000);
  // Everything left on standard output until it ends.
  std::string readAll(int timeoutMs = 20000);
  // Waits up to timeoutMs for `text` to appear in the output, consuming
  // everything up to and including it; false on timeout or end of output.
  bool readUntil(const std::string& text, int timeoutMs = 20000);

  void sendSignal(int signalNumber);
  // The exit status, or 128 + the signal that ended it; -1 if it does not
  // end within timeoutMs (it is then killed).
  int wait(int timeoutMs = 20000);

 private:
  bool fill(int timeoutMs);

  pid_t pid_ = -1;
  int in_ = -1;
  int out_ = -1;
  std::string buffered_;
  bool outputEnded_ = false;
  bool waited_ = false;
  int status_ = -1;
};

// How many descriptors process `pid` has open, read from /proc; -1 on a
// system without /proc.
int openDescriptors(pid_t pid);

// Runs a command to its end with `input` on standard input; returns its
// status and puts its whole output into `output`.
int runToEnd(const std::vector<std::string>& args,
             const std::map<std::string, std::string>& environment, const std::string& input,
             std::string* output);

#endif  // CORVANE_TESTS_SUPPORT_CHILD_PROCESS_H
