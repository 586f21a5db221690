// A card's input and the cable into it, as the configuration describes
// them: where the cable comes from and what the link does to the frames on
// their way (the faults tests choose).
#ifndef DECKLINK_SIM_SETUP_INPUT_SETUP_H
#define DECKLINK_SIM_SETUP_INPUT_SETUP_H

#include <string>

enum class LinkMetadata { kKeep, kDrop, kChange };

struct InputSetup {
  bool hasInput = false;  // the card answers IDeckLinkInput
  // input = older: only the 14.3-15.3.1 generation's IID is answered, as a
  // driver before 16.0 would
  bool olderGeneration = false;
  int cableFrom = -1;     // the card whose output feeds this input; -1: no cable
  int frameMs = 40;       // one frame period of the link, in milliseconds
  int delay = 0;          // frames between the output and the input
  int dropEvery = 0;      // every Nth frame never arrives (0: none)
  bool lowBits = false;   // an 8-bit path: the two low bits of each code lost
  bool sdiClip = false;   // SDI reserved codes: 0-3 become 4, 1020-1023 1019
  bool chroma422 = false;  // through Y'CbCr 4:2:2 and back
  bool videoLevels = false;  // full range scaled into 64-940
  LinkMetadata metadata = LinkMetadata::kKeep;
  int otherMode = -1;  // the signal arrives in this mode (kSimModes index) instead
};

// Reads one input key of a [device] section: `input`, `cable`, or one of
// the `link.` keys. False, with `problem` set, for a value it cannot read;
// `known` is false for a key that is none of these.
bool applyInputKey(const std::string& key, const std::string& value, InputSetup* input,
                   bool* known, std::string* problem);

#endif  // DECKLINK_SIM_SETUP_INPUT_SETUP_H
