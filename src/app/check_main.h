// `corvane check [<device> [<mode>]] [--seconds S]`: what a person with a
// new card runs first. It prints corvane's and the driver's version, the
// card's name, and one table row per mode: whether every step worked, how
// long the card took to display a frame (median and maximum), and what
// became of HDR.
#ifndef CORVANE_APP_CHECK_MAIN_H
#define CORVANE_APP_CHECK_MAIN_H

#include <string>
#include <vector>

// Checks the modes the card offers (or the one named) in turn. Returns 0
// when every step of every mode worked; 1 after naming the first failure,
// or for a wrong command line (with the usage text), a missing driver, or
// no such device. SIGINT and SIGTERM release the card and end it with 130.
int checkMain(const std::vector<std::string>& words);

#endif  // CORVANE_APP_CHECK_MAIN_H
