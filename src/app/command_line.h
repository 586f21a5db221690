// What `corvane <words>` does.
#ifndef CORVANE_APP_COMMAND_LINE_H
#define CORVANE_APP_COMMAND_LINE_H

// The program's command line: picks the mode from its first word and runs
// it (list, modes, run, serve, resolve, pgen, check, --version); returns
// the exit status (SIGINT and SIGTERM end a holding mode with 130 on their
// own).
int runCommandLine(int argc, char** argv);

#endif  // CORVANE_APP_COMMAND_LINE_H
