#include "app/check_main.h"

#include <algorithm>
#include <csignal>

#include "app/check_mode.h"
#include "app/check_options.h"
#include "app/mode_hint.h"
#include "app/usage.h"
#include "decklink/device_hold.h"
#include "decklink/driver_version.h"
#include "decklink/held_input.h"
#include "decklink/loader.h"
#include "decklink/mode_table.h"
#include "io/format.h"
#include "io/safe_points.h"

namespace {

const char kRowFormat[] = "%-10s %-8s %-22s %s\n";

// "0.02 / 0.31": the median and the largest of `times` in milliseconds.
std::string medianAndMax(std::vector<double> times) {
  if (times.empty()) return "-";
  std::sort(times.begin(), times.end());
  const size_t middle = times.size() / 2;
  const double median =
      times.size() % 2 == 1 ? times[middle] : (times[middle - 1] + times[middle]) / 2;
  return formatted("%.2f / %.2f", median, times.back());
}

// The driver's version, asked first: the line every report needs, even
// from a card that fails at once.
std::string driverLine() {
  int64_t version = 0;
  const Failure unknown = readDriverVersion(&version);
  if (unknown.failed()) return "driver: version unknown (" + unknown.message + ")\n";
  return formatted("driver: %s (API version word 0x%08llX)%s\n", driverVersionText(version).c_str(),
                   static_cast<unsigned long long>(version),
                   version < kFirstKnownDriver ? ": older than 16.0, which corvane needs" : "");
}

// The modes to check: the one named, or every mode the card says it
// offers, resolution by resolution, slowest rate first.
std::vector<const OutputMode*> modesToCheck(const ModeTable& table, const OutputMode* named) {
  if (named != nullptr) return {named};
  std::vector<const OutputMode*> modes;
  for (int resolution = 0; resolution < kModeCount; ++resolution) {
    for (int rate = 0; rate < kRateCount; ++rate) {
      if (table.supported[resolution][rate]) modes.push_back(&modeAt(resolution, rate));
    }
  }
  return modes;
}

// The whole run after the command line: returns the exit status.
int checkCard(int index, const OutputMode* named, double seconds) {
  const std::string driver = driverLine();
  deliverPendingSignals();
  ModeTable table;
  const Failure unread = readModeTable(index, &table);
  deliverPendingSignals();
  if (unread.is(FailureCode::kNoApi)) {
    writeStdout(std::string(kNoApiSentence) + "\n  " + deckLinkApiProblem() + "\n");
    return 1;
  }
  writeStdout("corvane " CORVANE_VERSION "\n" + driver);
  if (unread.failed()) {
    writeStdout(formatted("corvane check: device %d: %s\n", index, unread.text().c_str()));
    return 1;
  }
  const std::vector<const OutputMode*> modes = modesToCheck(table, named);
  writeStdout(formatted(
      "card %d: %s\n"
      "each mode: black (%d), 50 %% gray (%d), white (%d) full field and the alignment frame,\n"
      "then with HDR the gray as PQ (HDR10) and as HLG; %g s each\n\n",
      index, table.name.c_str(), kCheckBlack, kCheckGray, kCheckWhite, seconds));
  if (modes.empty()) {
    writeStdout("The card offers no mode in 10-bit RGB 4:4:4: nothing to check.\n");
    return 1;
  }
  writeStdout(formatted(kRowFormat, "mode", "outcome", "display ms median/max", "HDR"));
  std::string firstFailure;
  size_t passed = 0;
  for (const OutputMode* mode : modes) {
    const ModeCheck check = checkMode(index, *mode, seconds);
    writeStdout(formatted(kRowFormat, mode->name, check.failure.empty() ? "ok" : "FAILED",
                          medianAndMax(check.displayMs).c_str(), check.hdr.c_str()));
    if (check.failure.empty()) {
      ++passed;
      continue;
    }
    writeStdout(formatted("  %s: %s\n", mode->name, check.failure.c_str()));
    if (firstFailure.empty()) firstFailure = std::string(mode->name) + ": " + check.failure;
    if (check.inUse) {
      // Every other mode would be refused the same way.
      writeStdout(
          "Another process holds the card: stop it first (a corvane service: "
          "sudo systemctl stop corvane-pgen; else pgrep -fl corvane / kill <pid>).\n");
      break;
    }
  }
  if (deviceHasInput(index)) {
    writeStdout(formatted(
        "\ncard %d has an input: corvane can prove what reaches the cable. Connect a cable from\n"
        "an output (this card's or another's) to it and run\n"
        "  corvane verify <out-device> %d [<mode>]\n"
        "(README: Proving the chain).\n",
        index, index));
  }
  if (firstFailure.empty()) {
    writeStdout(formatted("\n%zu of %zu modes passed\n", passed, modes.size()));
    return 0;
  }
  writeStdout(formatted("\n%zu of %zu modes passed; first failure: %s\n", passed, modes.size(),
                        firstFailure.c_str()));
  return 1;
}

}  // namespace

int checkMain(const std::vector<std::string>& words) {
  // Installed before anything is asked of the card, so that no moment of
  // holding is without it; a terminal or pipe that goes away must not kill
  // the program while it holds the card.
  installReleaseOnSignal(onSignal);
  std::signal(SIGPIPE, SIG_IGN);
  CheckCommandLine line;
  const Failure unread = parseCheckCommandLine(words, &line);
  if (unread.failed()) {
    writeStdout("corvane check: " + unread.message + "\n");
    allowSignals();
    return printUsage();
  }
  const OutputMode* named = nullptr;
  if (!line.mode.empty() && (named = findMode(line.mode.c_str())) == nullptr) {
    writeStdout("corvane check: unknown mode '" + line.mode + "'\n  " + modeFormsLine() + "\n");
    allowSignals();
    return printUsage();
  }
  const int status = checkCard(line.device, named, line.seconds);
  allowSignals();
  return status;
}
