#include "app/usage.h"

#include <cstdio>

int printUsage() {
  std::puts(
      "usage: corvane list\n"
      "       corvane run <device> [hd|uhd|4k]   (interactive)\n"
      "       corvane serve                      (used by the app)\n"
      "       corvane resolve <host>[:<port>] [<device> [hd|uhd|4k]]\n"
      "                                          (pattern generator for DisplayCAL and\n"
      "                                           other hosts of the Resolve protocol)\n"
      "       corvane pgen [<device> [hd|uhd|4k]] [--port N] [--listen ADDRESS]\n"
      "                    [--discovery-port N]  (pattern generator for HCFR,\n"
      "                                           pgen_client and other PGenerator hosts)");
  return 1;
}
