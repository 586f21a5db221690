#ifndef CORVANE_APP_USAGE_H
#define CORVANE_APP_USAGE_H

// Prints the usage text; returns the exit status for a wrong command line.
int printUsage();

#endif  // CORVANE_APP_USAGE_H
