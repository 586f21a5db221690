#include "support/sim_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "decklink_sim.h"

namespace fs = std::filesystem;

std::string corvaneBinary() { return CORVANE_BINARY; }

SimSession::SimSession(const std::string& cards, bool capture) {
  std::string pattern = (fs::temp_directory_path() / "corvane-test-XXXXXX").string();
  directory_ = mkdtemp(pattern.data()) ? pattern : "";
  logPath_ = directory_ + "/calls.log";
  configPath_ = directory_ + "/cards.conf";
  std::ofstream config(configPath_);
  config << cards << "\n[log]\nfile = " << logPath_ << "\n[hold]\ndirectory = " << directory_
         << "/hold\n";
  if (capture) config << "[capture]\ndirectory = " << directory_ << "/frames\n";
  if (capture) fs::create_directories(directory_ + "/frames");
}

SimSession::~SimSession() {
  std::error_code ignored;
  if (!directory_.empty()) fs::remove_all(directory_, ignored);
}

std::map<std::string, std::string> SimSession::environment() const {
  return {{"LD_LIBRARY_PATH", SIM_LIBRARY_DIR}, {"DECKLINK_SIM_CONFIG", configPath_},
          {"DECKLINK_SIM_DEVICES", ""},         {"DECKLINK_SIM_LOG", ""},
          {"DECKLINK_SIM_CAPTURE", ""},         {"DECKLINK_SIM_HOLD_DIR", ""}};
}

std::map<std::string, std::string> SimSession::withoutDriver() {
  return {{"LD_LIBRARY_PATH", ""}, {"DECKLINK_SIM_CONFIG", ""}};
}

std::string SimSession::audit() const {
  const char* report = nullptr;
  long problems = decklink_sim_audit_log_file(logPath_.c_str(), 0, &report);
  if (problems == 0) return "";
  return "audit found " + std::to_string(problems) + " problems:\n" + (report ? report : "");
}

std::vector<std::string> SimSession::logLines() const {
  std::vector<std::string> lines;
  std::ifstream log(logPath_);
  for (std::string line; std::getline(log, line);) {
    size_t space = line.find(' ');
    lines.push_back(space == std::string::npos ? line : line.substr(space + 1));
  }
  return lines;
}

size_t SimSession::countLogLines(const std::string& needle) const {
  size_t count = 0;
  for (const std::string& line : logLines()) count += line.find(needle) != std::string::npos;
  return count;
}

std::vector<std::string> SimSession::frames() const {
  std::vector<std::string> files;
  std::error_code ignored;
  for (const auto& entry : fs::directory_iterator(directory_ + "/frames", ignored)) {
    files.push_back(entry.path().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}
