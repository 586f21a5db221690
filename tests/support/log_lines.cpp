#include "support/log_lines.h"

#include <fstream>
#include <sstream>

#include "decklink_sim.h"

namespace {

bool startsWith(const std::string& line, const char* prefix) { return line.rfind(prefix, 0) == 0; }

bool has(const std::string& line, const std::string& needle) {
  return line.find(needle) != std::string::npos;
}

}  // namespace

std::vector<std::string> logLines() {
  std::vector<std::string> lines;
  std::istringstream log(decklink_sim_log());
  for (std::string line; std::getline(log, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> logLinesWith(const std::string& needle) {
  return linesWith(logLines(), needle);
}

void clearLog() { decklink_sim_clear_log(); }

std::vector<std::string> logFileLines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream log(path);
  for (std::string line; std::getline(log, line);) {
    const size_t space = line.find(' ');
    lines.push_back(space == std::string::npos ? line : line.substr(space + 1));
  }
  return lines;
}

std::vector<std::string> linesWith(const std::vector<std::string>& lines,
                                   const std::string& needle) {
  std::vector<std::string> matching;
  for (const std::string& line : lines) {
    if (has(line, needle)) matching.push_back(line);
  }
  return matching;
}

long lastObjectId(const std::string& line) {
  const size_t hash = line.rfind('#');
  return hash == std::string::npos ? -1 : std::stol(line.substr(hash + 1));
}

std::vector<std::string> countedCalls(const std::vector<std::string>& lines) {
  std::vector<std::string> counted;
  for (const std::string& line : lines) {
    if (startsWith(line, "API ") || startsWith(line, "MISUSE ") || startsWith(line, "SIM ") ||
        has(line, " QueryInterface(") || has(line, " AddRef()") || has(line, " Release()")) {
      continue;
    }
    // A call that returns a value (GetFlags, GetWidth) rather than a result.
    if (!has(line, ") = 0x")) continue;
    counted.push_back(line);
  }
  return counted;
}
