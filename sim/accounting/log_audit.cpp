#include "accounting/log_audit.h"

#include <map>
#include <sstream>
#include <vector>

namespace {

// Reference counts of one process's objects, in order of first appearance
// so the report reads like the log.
struct ProcessObjects {
  std::map<std::string, long> counts;
  std::vector<std::string> order;

  long& count(const std::string& label) {
    auto found = counts.find(label);
    if (found != counts.end()) return found->second;
    order.push_back(label);
    return counts[label];
  }
  void clear() {
    counts.clear();
    order.clear();
  }
};

bool isObjectLabel(const std::string& word) {
  size_t hash = word.find('#');
  return hash != std::string::npos && hash > 0 && hash + 1 < word.size() &&
         word.find_first_not_of("0123456789", hash + 1) == std::string::npos;
}

// The object a call hands a new reference to: the last word of the line
// for the calls that hand one out (the entry point, Next, QueryInterface,
// CreateVideoFrame), when that word names an object.
std::string handedOut(const std::string& call, const std::string& outputs) {
  const bool handsOut = call.rfind("API CreateDeckLinkIteratorInstance(", 0) == 0 ||
                        call.find(" Next(") != std::string::npos ||
                        call.find(" QueryInterface(") != std::string::npos ||
                        call.find(" CreateVideoFrame(") != std::string::npos;
  if (!handsOut) return std::string();
  const std::string last = outputs.substr(outputs.find_last_of(' ') + 1);
  return isObjectLabel(last) ? last : std::string();
}

}  // namespace

long auditLogText(const std::string& text, long pid, std::string* report) {
  std::map<long, ProcessObjects> processes;
  std::vector<long> processOrder;
  long problems = 0;
  report->clear();
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    size_t space = line.find(' ');
    if (space == std::string::npos || space == 0) continue;
    const std::string pidText = line.substr(0, space);
    if (pidText.find_first_not_of("0123456789") != std::string::npos) continue;
    const long linePid = std::stol(pidText);
    if (pid != 0 && linePid != pid) continue;
    const std::string rest = line.substr(space + 1);
    const std::string prefix = "pid " + pidText + ": ";
    if (processes.find(linePid) == processes.end()) processOrder.push_back(linePid);
    ProcessObjects& objects = processes[linePid];

    if (rest == "SIM configure") {
      objects.clear();  // the objects of an earlier setup are no longer counted
      continue;
    }
    if (rest.rfind("MISUSE ", 0) == 0) {
      *report += prefix + rest + "\n";
      ++problems;
      continue;
    }
    size_t equals = rest.find(") = ");
    if (equals == std::string::npos) continue;
    const std::string call = rest.substr(0, equals + 1);
    const std::string outputs = rest.substr(equals + 4);
    const std::string label = call.substr(0, call.find(' '));
    const bool addRef = call.size() > 9 && call.compare(call.size() - 9, 9, " AddRef()") == 0;
    const bool release = call.size() > 10 && call.compare(call.size() - 10, 10, " Release()") == 0;
    if (release && outputs == "OVER") {
      *report += prefix + label + " released past zero\n";
      ++problems;
    } else if (addRef || release) {
      // The line states the count after the call.
      const std::string count = outputs.substr(0, outputs.find(' '));
      if (!count.empty() && count.find_first_not_of("0123456789") == std::string::npos) {
        objects.count(label) = std::stol(count);
      }
    } else {
      const std::string object = handedOut(call, outputs);
      if (!object.empty()) ++objects.count(object);
    }
  }
  for (long processId : processOrder) {
    const ProcessObjects& objects = processes[processId];
    for (const std::string& label : objects.order) {
      const long count = objects.counts.at(label);
      if (count == 0) continue;
      *report += "pid " + std::to_string(processId) + ": " + label + " never released (count " +
                 std::to_string(count) + ")\n";
      ++problems;
    }
  }
  return problems;
}
