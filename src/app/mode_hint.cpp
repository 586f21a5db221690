#include "app/mode_hint.h"

#include "decklink/mode_table.h"
#include "decklink/output_mode.h"

std::string modeFormsLine() {
  std::string line = "a mode is hd, uhd or 4k, alone (24p) or with ";
  for (int rate = 0; rate < kRateCount; ++rate) {
    if (rate > 0) line += rate + 1 < kRateCount ? ", " : " or ";
    line += std::string("@") + kRates[rate];
  }
  return line + " (uhd@59.94)";
}

std::string modeHint(int index, const char* modeName, const Failure& refused) {
  if (refused.is(FailureCode::kBadRequest)) return modeFormsLine();
  const OutputMode* mode = findMode(modeName);
  ModeTable table;
  if (!refused.is(FailureCode::kUnsupported) || mode == nullptr ||
      readModeTable(index, &table).failed()) {
    return "";
  }
  for (int resolution = 0; resolution < kModeCount; ++resolution) {
    for (int rate = 0; rate < kRateCount; ++rate) {
      if (&modeAt(resolution, rate) != mode) continue;
      for (int other = 0; other < kRateCount; ++other) {
        if (!table.supported[resolution][other]) continue;
        return std::string("the card outputs ") + kModes[resolution].name + ", but not at " +
               kRates[rate] + " frames a second: corvane modes " + std::to_string(index) +
               " lists its rates";
      }
    }
  }
  return "";
}
