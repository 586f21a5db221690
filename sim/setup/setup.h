// The simulated setup as the configuration text describes it: the cards in
// order, with their faults, and the driver's, iterator, fault, capture, log and hold
// settings. Plain data; the parser fills it and applySetup makes it current.
#ifndef DECKLINK_SIM_SETUP_SETUP_H
#define DECKLINK_SIM_SETUP_SETUP_H

#include <array>
#include <map>
#include <string>
#include <vector>

#include "decklink/decklink_api.h"
#include "setup/display_modes.h"
#include "setup/input_setup.h"

// Every mode offered.
inline std::array<bool, kSimModeCount> everyMode() {
  std::array<bool, kSimModeCount> modes;
  modes.fill(true);
  return modes;
}

// A result a call returns instead of doing its work, when `set`.
struct ResultOverride {
  bool set = false;
  HRESULT result = kS_OK;
};

// DoesSupportVideoMode's answer for one mode, replacing the computed one.
struct ProbeOverride {
  bool set = false;
  HRESULT result = kS_OK;
  bool supported = false;
};

struct CardSetup {
  std::string name;
  std::string model = "DeckLink Simulator";
  ResultOverride nameResult;
  ResultOverride modelResult;
  bool nameNull = false;
  bool modelNull = false;
  bool hasOutput = true;
  bool hasConfiguration = true;
  bool hasBuffer = true;
  std::array<bool, kSimModeCount> modes = everyMode();  // offered; index as kSimModes
  std::array<ProbeOverride, kSimModeCount> probe;
  std::array<ResultOverride, kSimModeCount> enable;
  std::array<ResultOverride, kSimModeCount> createFrame;
  ResultOverride display;
  ResultOverride startAccess;
  ResultOverride getBytes;
  bool getBytesNull = false;
  int32_t rowPadding = 0;
  int32_t rowBytes = 0;        // when above 0: RowBytesForPixelFormat's answer, short or not
  int32_t disableDelayMs = 0;  // how long DisableVideoOutput takes
  // HDR: the profile attributes interface, what it says the card carries
  // (metadata at all, and the dynamic ranges), and the frames' metadata
  // extensions with their Set faults, for all ids or one.
  bool hasProfileAttributes = true;
  bool hdrMetadata = true;
  bool hdrPq = true;
  bool hdrHlg = true;
  bool hasMetadata = true;
  ResultOverride metadataSet;
  std::map<uint32_t, ResultOverride> metadataSetById;
  std::string id;  // names the cross-process hold's lock file
  InputSetup input;  // the card's input and the cable into it
};

struct IteratorSetup {
  long failAfter = -1;  // -1: never
  HRESULT failResult = kE_FAIL;
  long nullAt = -1;  // -1: never
  bool entryPointNull = false;
};

struct FaultSetup {
  long failCall = 0;  // 0: no injected fault
  HRESULT failResult = kE_FAIL;
  // Every call of these ("Input.StartStreams": the object's kind and the
  // method) returns failResult, whenever and on whichever thread it comes,
  // so calls the card's own thread makes fail as surely as the program's.
  std::vector<std::string> failMethods;
};

// The driver as a whole: what its API information answers.
struct ApiSetup {
  int64_t version = 0x10000000;  // BMDDeckLinkAPIVersion: Desktop Video 16.0.0
  // False plays a driver older than 16.0, which does not know the 16.0
  // output and configuration interfaces the program asks for.
  bool interfaces16 = true;
};

struct SimSetup {
  std::vector<CardSetup> cards;
  ApiSetup api;
  IteratorSetup iterator;
  FaultSetup faults;
  std::string captureDirectory;  // empty: no capture files
  bool captureMemory = false;
  std::string logFile;  // empty: no log file
  int logFileLine = 0;  // where the text named it, to report an open failure
  bool logMemory = true;  // under the control API: keep the log in memory too
  std::string holdDirectory;  // empty: the per-user default
};

// A card as a [device] section starts: every mode at every rate, named by
// its position.
CardSetup defaultCard(int position);

// What a process without any configuration sees: one card named
// "DeckLink Simulator" with every mode at every rate.
SimSetup defaultSetup();

#endif  // DECKLINK_SIM_SETUP_SETUP_H
