#ifndef CORVANE_APP_RESOLVE_MAIN_H
#define CORVANE_APP_RESOLVE_MAIN_H

// `corvane resolve <host>[:<port>] [<device> [hd|uhd|4k]]`: finds the host,
// holds the card and runs the Resolve target until a signal ends it.
// Returns 1 when the host or the card cannot be had; otherwise the program
// ends through the signal handler with 130.
int resolveMain(const char* target, const char* deviceArgument, const char* resolution);

#endif  // CORVANE_APP_RESOLVE_MAIN_H
