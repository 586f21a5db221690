// The whole state of the simulated driver in one process, behind one mutex.
// Every entry into the library (an object's method, the entry point, a
// control function) takes the lock through StateLock for its whole run; the
// functions that take a SimState& expect it held.
#ifndef DECKLINK_SIM_STATE_SIM_STATE_H
#define DECKLINK_SIM_STATE_SIM_STATE_H

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "accounting/call_log.h"
#include "accounting/object_registry.h"
#include "capture/capture_file.h"
#include "setup/setup.h"
#include "state/card_hold.h"
#include "state/wire_picture.h"

class SimVideoFrame;

// One configured card as this process sees it. Objects obtained from the
// card share it, so a setting changed with decklink_sim_set applies to them
// at once, and every output object of the card sees the same enabled state.
struct CardRuntime {
  CardSetup setup;
  int position = 0;
  bool enabled = false;
  BMDDisplayMode mode = 0;
  uint64_t enabledBy = 0;  // id of the output object that enabled it
  CardHold hold;
  std::map<uint32_t, bool> flags;  // set through IDeckLinkConfiguration
  // Replaced by a later configure: objects still reach it, but it can no
  // longer be enabled, so no hold outlives the setup that made it.
  bool retired = false;
  // What the output last displayed, for the inputs cabled to it; the input
  // enabled on this card, if any (one at a time).
  std::shared_ptr<const WirePicture> wire;
  bool inputEnabled = false;
  BMDDisplayMode inputMode = 0;

  // Ends the output and its hold.
  void endOutput();
};

struct SimState {
  SimSetup setup;
  bool hasSetup = false;  // from decklink_sim_configure or the environment
  uint64_t epoch = 0;       // configure generation
  std::vector<std::shared_ptr<CardRuntime>> cards;

  CallLog log;
  ObjectRegistry objects;
  // Every frame ever created, by the pointer the program passes back, so
  // DisplayVideoFrameSync can recognise a frame without dereferencing an
  // unknown pointer.
  std::unordered_map<const IDeckLinkVideoFrame*, SimVideoFrame*> frames;

  long overReleases = 0;
  long misuses = 0;
  std::string problems;  // one line per over-release and misuse
  long countedCalls = 0;  // for [faults] fail_call
  long displayed = 0;
  uint64_t captureFiles = 0;  // per process: names frame-<pid>-<seq>.r210

  bool hasLastFrame = false;
  CaptureHeader lastFrameHeader;
  std::vector<unsigned char> lastFrame;
  // The metadata of the last displayed frame, kept whether or not frames
  // are captured.
  bool hasLastMetadata = false;
  FrameMetadata lastMetadata;

  std::string setupError;
  std::string returned;  // keeps strings the control functions return alive

  // Logs "MISUSE <what>" and counts it.
  void noteMisuse(const std::string& what);
  // Counts one HRESULT call; true when [faults] fail_call makes it fail.
  bool faultDue();
};

class StateLock {
 public:
  StateLock();
  SimState& state() { return state_; }

 private:
  std::lock_guard<std::mutex> guard_;
  SimState& state_;
};

// Creates a simulated object and gives it its id and first reference.
template <class T, class... Args>
T* createObject(SimState& state, Args&&... args) {
  T* object = new T(std::forward<Args>(args)...);
  state.objects.adopt(object, state.epoch);
  return object;
}

#endif  // DECKLINK_SIM_STATE_SIM_STATE_H
