#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "app/command_line.h"

namespace {

// A supervisor may start corvane with standard input, output or error
// closed. The next file corvane opens (a host's socket, the simulated card's
// lock file) would then take that number, and its lines would go there. So
// before anything else, each closed one is opened on /dev/null; open takes
// the lowest free number, which is the closed one, taken in order.
void openClosedStandardDescriptors() {
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
    if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    const int opened = open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
    if (opened >= 0 && opened != fd) close(opened);  // someone else took it meanwhile
  }
}

}  // namespace

int main(int argc, char** argv) {
  openClosedStandardDescriptors();
  return runCommandLine(argc, argv);
}
