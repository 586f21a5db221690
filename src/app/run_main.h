#ifndef CORVANE_APP_RUN_MAIN_H
#define CORVANE_APP_RUN_MAIN_H

// Picks the mode from the command line and runs it; returns the exit
// status (SIGINT and SIGTERM end a holding mode with 130 on their own).
int corvaneMain(int argc, char** argv);

#endif  // CORVANE_APP_RUN_MAIN_H
