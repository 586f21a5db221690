// `corvane verify <out-device> <in-device> [<mode>]`: proof on the wire.
// Holds the output of one device and the input of another (or the same)
// at one mode, sends a sequence of frames through the cable between them
// and compares each frame that arrives with the frame sent: one row per
// frame, what the input's status says, and a verdict.
#ifndef CORVANE_APP_VERIFY_MAIN_H
#define CORVANE_APP_VERIFY_MAIN_H

#include <string>
#include <vector>

// 0 when every frame arrived exact, in order and at a steady delay; 1
// otherwise (and for a wrong command line, with the usage text, or a device
// that cannot be opened). A signal (SIGINT, SIGTERM, SIGHUP, SIGQUIT)
// releases both sides and ends it with 128 + its number (130 for SIGINT
// and SIGTERM).
int verifyMain(const std::vector<std::string>& words);

#endif  // CORVANE_APP_VERIFY_MAIN_H
