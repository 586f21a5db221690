#include "app/usage.h"

#include <cstdio>

int printUsage() {
  std::puts(
      "usage: corvane list\n"
      "       corvane run <device> [hd|uhd|4k]   (interactive)\n"
      "       corvane serve                      (used by the app)");
  return 1;
}
