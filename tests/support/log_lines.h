// The simulated card's call log as lines (format: sim/README.md, "The call
// log"): the in-memory log of this process, and the log file that programs
// run as child processes write.
#ifndef CORVANE_TESTS_SUPPORT_LOG_LINES_H
#define CORVANE_TESTS_SUPPORT_LOG_LINES_H

#include <string>
#include <vector>

// The in-memory log lines since the last configure or clearLog().
std::vector<std::string> logLines();
// The in-memory log lines that contain `needle`.
std::vector<std::string> logLinesWith(const std::string& needle);
void clearLog();

// The lines of a log file, without the writing process's id in front.
std::vector<std::string> logFileLines(const std::string& path);

// The lines of `lines` that contain `needle`.
std::vector<std::string> linesWith(const std::vector<std::string>& lines,
                                   const std::string& needle);

// The id in "Kind#<id>" of the last such word of `line`; -1 if none.
long lastObjectId(const std::string& line);

// The lines of the calls that [faults] fail_call counts: every call that
// returns a result, except QueryInterface, AddRef and Release; the entry
// point, calls that return a value (GetFlags), and the card's MISUSE and SIM
// notes are no such calls.
std::vector<std::string> countedCalls(const std::vector<std::string>& lines);

#endif  // CORVANE_TESTS_SUPPORT_LOG_LINES_H
