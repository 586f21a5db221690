// The one way tests get a private directory: the fixture's hold directory,
// a SimSession's files, the card's capture and log files, a tool's output.
#ifndef CORVANE_TESTS_SUPPORT_SCRATCH_DIR_H
#define CORVANE_TESTS_SUPPORT_SCRATCH_DIR_H

#include <string>

// A fresh directory under the test temp dir, removed with its contents.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::string& path() const { return path_; }
  // The path of `name` inside the directory (nothing is created).
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

#endif  // CORVANE_TESTS_SUPPORT_SCRATCH_DIR_H
