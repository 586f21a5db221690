#include "app/usage.h"

#include <cstdio>

const char kNoApiSentence[] = "No DeckLink API found. Is Blackmagic Desktop Video installed?";

int printUsage() {
  std::puts(
      "usage: corvane list\n"
      "       corvane run <device> [hd|uhd|4k]   (interactive)\n"
      "       corvane serve                      (used by the app)\n"
      "       corvane modes <device>             (every resolution and rate)\n"
      "       corvane check [<device> [<mode>]] [--seconds S]\n"
      "                                          (first run with a card: every mode shown\n"
      "                                           and timed, S seconds per picture, 1)\n"
      "       corvane resolve <host>[:<port>] [<device> [<mode>]] [<signalling>]\n"
      "                                          (pattern generator for DisplayCAL and\n"
      "                                           other hosts of the Resolve protocol)\n"
      "       corvane pgen [<device> [<mode>]] [--port N] [--listen HOST]\n"
      "                    [--discovery-port N] [<signalling>]\n"
      "                                          (pattern generator for HCFR,\n"
      "                                           pgen_client and other PGenerator hosts)\n"
      "       corvane verify <out-device> <in-device> [<mode>]\n"
      "                                          (proof on the wire: the frames sent are\n"
      "                                           captured back through a cable and compared)\n"
      "       corvane --version\n"
      "<mode>: hd, uhd, 4k (24p) or one of them at a rate: hd@59.94, uhd@50, 4k@23.98\n"
      "        (rates 23.98 24 25 29.97 30 50 59.94 60); run takes them too\n"
      "<signalling>: --hdr sdr|pq|hlg  --colorspace rec709|rec2020\n"
      "              --primaries rec2020|p3d65|rec709|dcip3|p3d60  --max-luminance <cd/m2>\n"
      "              --min-luminance <cd/m2>  --max-cll <cd/m2>  --max-fall <cd/m2>\n"
      "--verify <in-device> (run, serve, resolve, pgen): each picture captured back\n"
      "              through that device's input and compared before it is answered");
  return 1;
}
