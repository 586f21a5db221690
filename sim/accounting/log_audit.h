// Audits a call log file written by one or more processes: references
// never released, releases past zero, and misuse.
#ifndef DECKLINK_SIM_ACCOUNTING_LOG_AUDIT_H
#define DECKLINK_SIM_ACCOUNTING_LOG_AUDIT_H

#include <string>

// `text` is the file's contents ("<pid> <line>" lines). Considers process
// `pid` only, or every process when pid is 0. Returns the number of problems
// and describes each in `report`, one line per problem.
long auditLogText(const std::string& text, long pid, std::string* report);

#endif  // DECKLINK_SIM_ACCOUNTING_LOG_AUDIT_H
