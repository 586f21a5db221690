#include "support/sim_session.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "decklink_sim.h"
#include "support/log_lines.h"

namespace fs = std::filesystem;

std::string corvaneBinary() { return CORVANE_BINARY; }

SimSession::SimSession(const std::string& cards, bool capture)
    : logPath_(directory_.file("calls.log")), configPath_(directory_.file("cards.conf")) {
  std::ofstream config(configPath_);
  config << cards << "\n[log]\nfile = " << logPath_ << "\n[hold]\ndirectory = "
         << directory_.file("hold") << "\n";
  if (capture) config << "[capture]\ndirectory = " << directory_.file("frames") << "\n";
  if (capture) fs::create_directories(directory_.file("frames"));
  // The log exists from the start: a program ended before its first call
  // to the card leaves it empty, a log without problems, while a log that
  // is missing stays an error of the setup.
  std::ofstream log(logPath_);
}

std::map<std::string, std::string> SimSession::environment() const {
  return {{"CORVANE_DECKLINK_API", SIM_API_PATH}, {"DECKLINK_SIM_CONFIG", configPath_},
          {"DECKLINK_SIM_DEVICES", ""},         {"DECKLINK_SIM_LOG", ""},
          {"DECKLINK_SIM_CAPTURE", ""},         {"DECKLINK_SIM_HOLD_DIR", ""}};
}

std::map<std::string, std::string> SimSession::withoutDriver() {
  // A path where no library is: the program then finds no API, whatever
  // driver the machine has installed.
  return {{"CORVANE_DECKLINK_API", "/nonexistent/libDeckLinkAPI.so"},
          {"DECKLINK_SIM_CONFIG", ""}};
}

std::string SimSession::audit() const {
  const char* report = nullptr;
  long problems = decklink_sim_audit_log_file(logPath_.c_str(), 0, &report);
  if (problems == 0) return "";
  return "audit found " + std::to_string(problems) + " problems:\n" + (report ? report : "");
}

std::vector<std::string> SimSession::logLines() const { return logFileLines(logPath_); }

size_t SimSession::countLogLines(const std::string& needle) const {
  return linesWith(logLines(), needle).size();
}

std::vector<std::string> SimSession::frames() const {
  std::vector<std::string> files;
  std::error_code ignored;
  for (const auto& entry : fs::directory_iterator(directory_.file("frames"), ignored)) {
    files.push_back(entry.path().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}
