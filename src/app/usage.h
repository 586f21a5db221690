#ifndef CORVANE_APP_USAGE_H
#define CORVANE_APP_USAGE_H

// Prints the usage text; returns the exit status for a wrong command line.
int printUsage();

// What the command line says without a driver, on a line of its own.
extern const char kNoApiSentence[];  // "No DeckLink API found. Is Blackmagic ..."

#endif  // CORVANE_APP_USAGE_H
