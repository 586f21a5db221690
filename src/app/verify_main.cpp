#include "app/verify_main.h"

#include <chrono>
#include <csignal>
#include <set>

#include "app/mode_words.h"
#include "app/usage.h"
#include "app/verify_option.h"
#include "app/verify_sequence.h"
#include "decklink/capture_handover.h"
#include "decklink/device_hold.h"
#include "decklink/device_status.h"
#include "decklink/held_input.h"
#include "decklink/picture_compare.h"
#include "decklink/shown_frame_proof.h"
#include "decklink/signalling_support.h"
#include "io/format.h"
#include "io/safe_points.h"

namespace {

// A frame may take this many input frames to arrive, and the wait for one
// no longer than this.
constexpr int kMostFramesLate = 12;
constexpr int kLongestWaitMs = 3000;

struct SentCopy {
  std::vector<unsigned char> pixels;
  SentPicture view() const { return {pixels.data(), gRowBytes, gMode->width, gMode->height}; }
};

// What became of one sent frame at the input.
struct FrameOutcome {
  bool arrived = false;
  bool noSignal = false;  // every arrival said so
  bool nothing = false;   // no frame arrived at all
  int64_t delay = 0;      // input frames from the display to its arrival
  FrameComparison comparison;
};

// The timing seen over the whole run.
struct Timing {
  bool timed = false;
  BMDTimeValue lastTime = 0;
  uint64_t lastArrival = 0;
  int64_t dropped = 0;   // frames missing from the input's stream time
  int64_t repeated = 0;  // stream times seen twice
  int64_t late = 0;      // frames that took longer than the first
  int64_t firstDelay = -1;

  // Every frame taken from the hand-over, in order. The stream time counts
  // the frames the link carried, the arrival number those the callback
  // got (corvane's own misses included): more of the first than of the
  // second between two frames is frames the link dropped.
  void see(const CapturedFrame& frame) {
    // A frame taken after a later one (a driver calling from two threads)
    // says nothing of the link.
    if (!frame.timed || frame.streamDuration <= 0 || frame.arrival <= lastArrival) return;
    if (timed) {
      const BMDTimeValue step = frame.streamTime - lastTime;
      const int64_t delivered = static_cast<int64_t>(frame.arrival - lastArrival);
      if (step <= 0) ++repeated;
      if (step / frame.streamDuration > delivered) {
        dropped += step / frame.streamDuration - delivered;
      }
    }
    timed = true;
    lastTime = frame.streamTime;
    lastArrival = frame.arrival;
  }
};

// Which sent frame `arrived` shows: the index of the nearest of `sent`, or
// -1 when `black` (the output before its first frame) is nearer.
int nearestSent(const std::vector<SentCopy>& sent, const SentCopy& black,
                const CapturedFrame& arrived) {
  double best = pictureDistance(black.view(), arrived);
  int nearest = -1;
  for (size_t i = 0; i < sent.size(); ++i) {
    const double distance = pictureDistance(sent[i].view(), arrived);
    if (distance < best) {
      best = distance;
      nearest = static_cast<int>(i);
    }
  }
  return nearest;
}

// Waits for the last of `sent` to arrive, comparing it when it does.
FrameOutcome awaitArrival(const std::vector<SentCopy>& sent, const Signalling& signalling,
                          uint64_t before, Timing* timing) {
  FrameOutcome outcome;
  const int wanted = static_cast<int>(sent.size()) - 1;
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(kLongestWaitMs);
  CapturedFrame arrived;
  const SentCopy black = {std::vector<unsigned char>(sent.back().pixels.size(), 0)};
  int seen = 0, withoutSignal = 0;
  while (seen < kMostFramesLate) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    if (!waitForArrival(static_cast<int>(left.count())) || !takeArrival(&arrived)) continue;
    timing->see(arrived);
    if (arrived.arrival <= before) continue;
    ++seen;
    if ((arrived.flags & bmdFrameHasNoInputSource) != 0) {
      ++withoutSignal;
      continue;
    }
    if (nearestSent(sent, black, arrived) != wanted) continue;
    outcome.arrived = true;
    outcome.delay = static_cast<int64_t>(arrived.arrival - before) - 1;
    outcome.comparison = compareArrival(sent.back().view(), signalling, arrived);
    return outcome;
  }
  outcome.noSignal = seen > 0 && withoutSignal == seen;
  outcome.nothing = seen == 0;
  return outcome;
}

std::string fourCCName(uint32_t code) {
  std::string name;
  for (int shift = 24; shift >= 0; shift -= 8) name += static_cast<char>((code >> shift) & 0xFF);
  return name;
}

std::string framesText(int64_t n) { return std::to_string(n) + (n == 1 ? " frame" : " frames"); }

// The input's detected mode when it differs from the held one, or "".
std::string otherModeAtInput() {
  const std::string detected = detectedInputMode(gInputDevice);
  return detected == fourCCName(gMode->displayMode) ? "" : detected;
}

// Lets the link's own delay fill before anything is counted: waits for the
// input's first two frames (or the longest wait) and drops them.
void settleInput() {
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(kLongestWaitMs);
  CapturedFrame arrived;
  int taken = 0;
  while (taken < 2) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return;
    if (waitForArrival(static_cast<int>(left.count())) && takeArrival(&arrived)) ++taken;
  }
}

int runVerify(int outIndex, int inIndex, const OutputMode& mode) {
  const Failure refused = openDevice(outIndex, mode.name);
  deliverPendingSignals();
  if (refused.failed()) {
    writeStdout(
        formatted("Could not open output device %d: %s\n", outIndex, refused.text().c_str()));
    return 1;
  }
  const Failure noInput = openInput(inIndex, *gMode);
  deliverPendingSignals();
  if (noInput.failed()) {
    writeStdout(formatted("Could not open input device %d: %s\n", inIndex, noInput.text().c_str()));
    return 1;
  }
  settleInput();
  deliverPendingSignals();
  writeStdout(formatted("corvane verify: output device %d -> input device %d at %s %dx%d, 'r210'\n",
                        outIndex, inIndex, gMode->name, gMode->width, gMode->height));
  const bool pq = !askCardForSignalling(gDevice, signallingFor(Eotf::kPq)).failed();
  const bool hlg = !askCardForSignalling(gDevice, signallingFor(Eotf::kHlg)).failed();
  if (!pq || !hlg)
    writeStdout("(the output cannot carry all HDR metadata: those frames are left out)\n");
  writeStdout(formatted("%-10s %-6s %s\n", "frame", "delay", "arrived"));
  std::vector<SentCopy> sent;
  std::set<std::string> findings;
  Timing timing;
  bool exact = true;
  for (const SentFrame& frame : verifySequence(gMode->width, pq, hlg)) {
    const Failure unshown = showSentFrame(frame);
    const uint64_t before = arrivalsBeforeLastDisplay();
    const uint64_t missedBefore = framesDroppedByHandover();
    deliverPendingSignals();
    SentCopy copy;
    if (unshown.failed() || !copyHeldPicture(&copy.pixels)) {
      writeStdout(formatted("%-10s %-6s not sent: %s\n", frame.name.c_str(), "-",
                            unshown.failed() ? unshown.text().c_str() : "frame unreadable"));
      exact = false;
      findings.insert("a frame could not be sent");
      continue;
    }
    sent.push_back(std::move(copy));
    const FrameOutcome outcome = awaitArrival(sent, frame.signalling, before, &timing);
    deliverPendingSignals();
    if (!outcome.arrived) {
      const std::string other = otherModeAtInput();
      const std::string why = !other.empty()     ? "a different mode at the input (" + other + ")"
                              : outcome.noSignal ? std::string("no signal at the input")
                              : outcome.nothing  ? std::string("no frame arrived from the input")
                                                 : std::string("did not arrive");
      writeStdout(formatted("%-10s %-6s %s\n", frame.name.c_str(), "-", why.c_str()));
      findings.insert(why);
      exact = false;
      if (sent.size() == 1) break;  // nothing will arrive: a clear verdict now
      continue;
    }
    if (timing.firstDelay < 0) timing.firstDelay = outcome.delay;
    // A display lands anywhere in a frame period, and the program may lose
    // the processor for a while between noting where the input stood and
    // the display, so up to two frames more than the first is the same
    // delay; more is a late frame. A frame corvane itself missed may have
    // been the first of the picture.
    const bool allSeen = framesDroppedByHandover() == missedBefore;
    if (allSeen && outcome.delay > timing.firstDelay + 2) ++timing.late;
    const std::string text = comparisonText(outcome.comparison);
    writeStdout(formatted("%-10s %-6lld %s\n", frame.name.c_str(),
                          static_cast<long long>(outcome.delay), text.c_str()));
    if (!outcome.comparison.exact()) {
      exact = false;
      if (outcome.comparison.pixels != PixelChange::kExact) {
        findings.insert(pixelChangeText(outcome.comparison.pixels));
      }
      if (outcome.comparison.metadata != MetadataChange::kSame) {
        findings.insert(metadataChangeText(outcome.comparison.metadata));
      }
    }
  }
  const int64_t missed = static_cast<int64_t>(framesDroppedByHandover());
  const int64_t dropped = timing.dropped;
  if (dropped > 0) findings.insert("frames dropped (" + std::to_string(dropped) + ")");
  if (timing.repeated > 0)
    findings.insert("frames repeated (" + std::to_string(timing.repeated) + ")");
  if (timing.late > 0) findings.insert("frames late (" + std::to_string(timing.late) + ")");
  exact = exact && dropped <= 0 && timing.repeated == 0 && timing.late == 0;
  writeStdout("output device status: " + outputStatusText(gDevice) + "\n");
  writeStdout("input device status: " + inputStatusText(gInputDevice) + "\n");
  if (missed > 0) {
    writeStdout(formatted("(corvane itself missed %lld input frames while comparing)\n",
                          static_cast<long long>(missed)));
  }
  const std::string delay =
      timing.firstDelay >= 0 ? "; delay " + framesText(timing.firstDelay) : std::string();
  if (exact) {
    writeStdout("verdict: exact: every code of every frame arrived as sent" + delay + "\n");
    return 0;
  }
  std::string found;
  for (const std::string& finding : findings) found += (found.empty() ? "" : "; ") + finding;
  writeStdout("verdict: NOT exact: " + found + delay + "\n");
  return 1;
}

}  // namespace

int verifyMain(const std::vector<std::string>& words) {
  installReleaseOnSignal(onSignal);
  std::signal(SIGPIPE, SIG_IGN);
  waitForArrivalsAtSafePoints();
  if (words.size() < 2 || words.size() > 3) {
    allowSignals();
    return printUsage();
  }
  const OutputMode* mode = findMode(words.size() == 3 ? words[2].c_str() : "hd");
  if (mode == nullptr) {
    writeStdout("corvane verify: unknown mode '" + words[2] + "'\n");
    allowSignals();
    return printUsage();
  }
  const int status = runVerify(deviceNumberOf(words[0].c_str()), deviceNumberOf(words[1].c_str()), *mode);
  closeDevice();
  allowSignals();
  return status;
}
