#include "app/mode_table_print.h"

#include <cstdio>
#include <string>

#include "app/usage.h"
#include "decklink/failure.h"
#include "decklink/loader.h"

namespace {

// The device line, the header, the separator, one row per rate and the
// legend.
void printModeTable(int index, const ModeTable& table) {
  std::printf("device %d: %s\n\n", index, table.name.c_str());
  const char* rowFormat = "%-7s %-5s %-5s %-5s\n";
  std::printf(rowFormat, "rate", "HD", "UHD", "4K");
  std::printf(rowFormat, "----", "--", "---", "--");
  auto answer = [&table](int resolution, int rate) {
    return table.supported[resolution][rate] ? "yes" : "NO";
  };
  for (int rate = 0; rate < kRateCount; ++rate) {
    std::printf(rowFormat, kRates[rate], answer(0, rate), answer(1, rate), answer(2, rate));
  }
  std::puts(
      "\n(HD/UHD/4K = 10-bit RGB 4:4:4 supported at that resolution and rate;\n"
      " a mode is named hd@59.94, uhd@50, 4k@23.98 ...; hd, uhd and 4k alone are 24)");
}

}  // namespace

int listModes(int index) {
  ModeTable table;
  const Failure unread = readModeTable(index, &table);
  if (unread.is(FailureCode::kNoApi)) {
    std::puts(kNoApiSentence);
    std::printf("  %s\n", deckLinkApiProblem().c_str());
    return 1;
  }
  if (unread.failed()) {
    std::printf("corvane modes: device %d: %s\n", index, unread.text().c_str());
    return 1;
  }
  printModeTable(index, table);
  return 0;
}
