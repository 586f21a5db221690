#include "support/child_process.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

extern char** environ;

namespace {

long long nowMs() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return ts.tv_sec * 1000LL + ts.tv_nsec / 1000000;
}

// A pipe whose ends no other child inherits. pipe() and fcntl rather than
// Linux's pipe2, so that the tests build on macOS too; the tests start
// their children from one thread, so nothing forks between the two calls.
bool closeOnExecPipe(int ends[2]) {
  if (pipe(ends) != 0) return false;
  for (int i = 0; i < 2; ++i) {
    if (fcntl(ends[i], F_SETFD, FD_CLOEXEC) != 0) return false;
  }
  return true;
}

// In a new child: descriptors 3 .. count - 1 open on /dev/null, replacing
// those that would close at exec, with the limit of open files raised to
// make room for the child's own.
void occupyDescriptors(int count) {
  if (count <= 3) return;
  rlimit limit = {};
  getrlimit(RLIMIT_NOFILE, &limit);
  const rlim_t wanted = static_cast<rlim_t>(count) + 256;
  if (limit.rlim_cur < wanted) {
    limit.rlim_cur = wanted < limit.rlim_max ? wanted : limit.rlim_max;
    setrlimit(RLIMIT_NOFILE, &limit);
  }
  const int null = open("/dev/null", O_RDONLY);
  for (int fd = 3; fd < count; ++fd) {
    const int flags = fcntl(fd, F_GETFD);
    if (fd != null && (flags < 0 || (flags & FD_CLOEXEC) != 0)) dup2(null, fd);
  }
}

// A pseudo-terminal's two ends as a pipe's: [0] the side the test reads,
// [1] the terminal the child writes to, as a terminal's are set by default
// (output processed: each line feed becomes a carriage return and a line
// feed, which readLine drops again).
bool closeOnExecTerminal(int ends[2]) {
  ends[0] = posix_openpt(O_RDWR | O_NOCTTY);
  if (ends[0] < 0 || grantpt(ends[0]) != 0 || unlockpt(ends[0]) != 0) return false;
  ends[1] = open(ptsname(ends[0]), O_RDWR | O_NOCTTY);
  return ends[1] >= 0 && fcntl(ends[0], F_SETFD, FD_CLOEXEC) == 0 &&
         fcntl(ends[1], F_SETFD, FD_CLOEXEC) == 0;
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& args,
                           const std::map<std::string, std::string>& environment,
                           int busyDescriptors, bool terminal) {
  // Tests write to a child that may already have ended.
  signal(SIGPIPE, SIG_IGN);
  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e) {
    std::string entry = *e;
    std::string name = entry.substr(0, entry.find('='));
    if (environment.count(name) == 0) env.push_back(entry);
  }
  for (const auto& [name, value] : environment) {
    if (!value.empty()) env.push_back(name + "=" + value);
  }
  int toChild[2], fromChild[2];
  if (!closeOnExecPipe(toChild) ||
      !(terminal ? closeOnExecTerminal(fromChild) : closeOnExecPipe(fromChild))) {
    return;
  }
  pid_ = fork();
  if (pid_ == 0) {
    dup2(toChild[0], 0);
    dup2(fromChild[1], 1);
    std::vector<char*> argv, envp;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    for (const std::string& e : env) envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    // A test runner may block or ignore signals; the child starts clean.
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    signal(SIGPIPE, SIG_DFL);
    occupyDescriptors(busyDescriptors);
    execve(argv[0], argv.data(), envp.data());
    _exit(127);
  }
  close(toChild[0]);
  close(fromChild[1]);
  in_ = toChild[1];
  out_ = fromChild[0];
}

ChildProcess::~ChildProcess() {
  closeInput();
  closeOutput();
  if (pid_ > 0 && !waited_) wait(5000);
}

bool ChildProcess::write(const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    ssize_t n = ::write(in_, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

void ChildProcess::closeInput() {
  if (in_ >= 0) close(in_);
  in_ = -1;
}

void ChildProcess::closeOutput() {
  if (out_ >= 0) close(out_);
  out_ = -1;
}

bool ChildProcess::fill(int timeoutMs) {
  if (outputEnded_ || out_ < 0) return false;
  pollfd p = {out_, POLLIN, 0};
  int ready = poll(&p, 1, timeoutMs);
  if (ready <= 0) return false;
  char chunk[65536];
  ssize_t n = read(out_, chunk, sizeof chunk);
  if (n <= 0) {
    outputEnded_ = true;
    return false;
  }
  buffered_.append(chunk, static_cast<size_t>(n));
  return true;
}

std::string ChildProcess::readLine(int timeoutMs) {
  long long deadline = nowMs() + timeoutMs;
  for (;;) {
    size_t end = buffered_.find('\n');
    if (end != std::string::npos) {
      std::string line = buffered_.substr(0, end);
      buffered_.erase(0, end + 1);
      if (!line.empty() && line.back() == '\r') line.pop_back();  // from a terminal
      return line;
    }
    long long left = deadline - nowMs();
    if (outputEnded_) return "<eof>";
    if (left <= 0) return "<timeout>";
    fill(static_cast<int>(left));
  }
}

std::string ChildProcess::readAll(int timeoutMs) {
  long long deadline = nowMs() + timeoutMs;
  while (!outputEnded_ && nowMs() < deadline) fill(static_cast<int>(deadline - nowMs()));
  std::string all;
  all.swap(buffered_);
  return all;
}

bool ChildProcess::readUntil(const std::string& text, int timeoutMs) {
  long long deadline = nowMs() + timeoutMs;
  for (;;) {
    size_t at = buffered_.find(text);
    if (at != std::string::npos) {
      buffered_.erase(0, at + text.size());
      return true;
    }
    if (outputEnded_ || nowMs() >= deadline) return false;
    fill(static_cast<int>(deadline - nowMs()));
  }
}

void ChildProcess::sendSignal(int signalNumber) {
  if (pid_ > 0 && !waited_) kill(pid_, signalNumber);
}

int ChildProcess::wait(int timeoutMs) {
  if (waited_) return status_;
  long long deadline = nowMs() + timeoutMs;
  int status = 0;
  for (;;) {
    pid_t done = waitpid(pid_, &status, WNOHANG);
    if (done == pid_) break;
    if (nowMs() >= deadline) {
      kill(pid_, SIGKILL);
      waitpid(pid_, &status, 0);
      waited_ = true;
      status_ = -1;
      return status_;
    }
    usleep(2000);
  }
  waited_ = true;
  status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return status_;
}

int runToEnd(const std::vector<std::string>& args,
             const std::map<std::string, std::string>& environment, const std::string& input,
             std::string* output) {
  ChildProcess child(args, environment);
  child.write(input);
  child.closeInput();
  *output = child.readAll();
  return child.wait();
}

int openDescriptors(pid_t pid) {
  DIR* listing = opendir(("/proc/" + std::to_string(pid) + "/fd").c_str());
  if (listing == nullptr) return -1;
  int count = 0;
  while (const dirent* entry = readdir(listing)) count += entry->d_name[0] != '.';
  closedir(listing);
  return count;
}
