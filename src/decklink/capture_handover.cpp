#include "decklink/capture_handover.h"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstring>

#include "decklink/query_interface.h"

const BMDDeckLinkFrameMetadataID kCapturedMetadataIds[kCapturedMetadataCount] = {
    bmdDeckLinkFrameMetadataColorspace,
    bmdDeckLinkFrameMetadataHDRElectroOpticalTransferFunc,
    bmdDeckLinkFrameMetadataHDRDisplayPrimariesRedX,
    bmdDeckLinkFrameMetadataHDRDisplayPrimariesRedY,
    bmdDeckLinkFrameMetadataHDRDisplayPrimariesGreenX,
    bmdDeckLinkFrameMetadataHDRDisplayPrimariesGreenY,
    bmdDeckLinkFrameMetadataHDRDisplayPrimariesBlueX,
    bmdDeckLinkFrameMetadataHDRDisplayPrimariesBlueY,
    bmdDeckLinkFrameMetadataHDRWhitePointX,
    bmdDeckLinkFrameMetadataHDRWhitePointY,
    bmdDeckLinkFrameMetadataHDRMaxDisplayMasteringLuminance,
    bmdDeckLinkFrameMetadataHDRMinDisplayMasteringLuminance,
    bmdDeckLinkFrameMetadataHDRMaximumContentLightLevel,
    bmdDeckLinkFrameMetadataHDRMaximumFrameAverageLightLevel,
};

namespace {

// A slot is free, being filled by the driver's thread, full, or being
// taken by the program; only the side that moved it out of free or full
// touches its frame.
enum SlotState : int { kFree, kFilling, kFull, kTaking };

struct Slot {
  std::atomic<int> state{kFree};
  CapturedFrame frame;
};

// Three frames: one the program compares, one arriving, one to spare.
constexpr int kSlotCount = 3;
Slot gSlots[kSlotCount];
std::atomic<bool> gAccepting{false};
std::atomic<uint64_t> gArrivals{0};
std::atomic<uint64_t> gDropped{0};
// The wake-up pipe: the callback writes a byte per frame, never waiting.
int gWakeRead = -1;
int gWakeWrite = -1;
ArrivalWait gWait = nullptr;
// No frame larger than this is copied (a 4096x2160 'r210' frame is 35 MB).
constexpr int64_t kLargestFrame = int64_t{64} << 20;

// The driver's thread must never run the release on a signal (SIGINT,
// SIGTERM, SIGHUP, SIGQUIT) in the middle of the program's work: whatever
// mask the driver gave it, the signals are blocked on it from its first
// frame on.
void blockReleaseSignalsHere() {
  thread_local bool blocked = false;
  if (blocked) return;
  sigset_t signals;
  sigemptyset(&signals);
  for (int signalNumber : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) sigaddset(&signals, signalNumber);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  blocked = true;
}

void copyPixels(IDeckLinkVideoInputFrame* source, CapturedFrame* frame) {
  frame->pixels.clear();
  const int64_t bytes = frame->rowBytes * frame->height;
  if (frame->rowBytes <= 0 || frame->height <= 0 || bytes > kLargestFrame) return;
  IDeckLinkVideoBuffer* buffer =
      queryInterface<IDeckLinkVideoBuffer>(source, IID_IDeckLinkVideoBuffer);
  if (buffer == nullptr) return;
  if (buffer->StartAccess(bmdBufferAccessRead) == kS_OK) {
    void* bytesAt = nullptr;
    uint64_t size = 0;
    // A buffer that says it is smaller than its rows is not read past its end.
    const bool sizeFits = buffer->GetSize(&size) != kS_OK || size >= uint64_t(bytes);
    if (buffer->GetBytes(&bytesAt) == kS_OK && bytesAt != nullptr && sizeFits) {
      const unsigned char* from = static_cast<const unsigned char*>(bytesAt);
      frame->pixels.assign(from, from + bytes);
    }
    buffer->EndAccess(bmdBufferAccessRead);
  }
  buffer->Release();
}

void copyMetadata(IDeckLinkVideoInputFrame* source, CapturedFrame* frame) {
  frame->metadata.assign(kCapturedMetadataCount, CapturedValue());
  IDeckLinkVideoFrameMetadataExtensions* metadata =
      queryInterface<IDeckLinkVideoFrameMetadataExtensions>(
          source, IID_IDeckLinkVideoFrameMetadataExtensions);
  frame->metadataAnswered = metadata != nullptr;
  if (metadata == nullptr) return;
  for (int i = 0; i < kCapturedMetadataCount; ++i) {
    CapturedValue& value = frame->metadata[i];
    value.id = kCapturedMetadataIds[i];
    value.present = i < 2 ? metadata->GetInt(value.id, &value.integer) == kS_OK
                          : metadata->GetFloat(value.id, &value.number) == kS_OK;
  }
  metadata->Release();
}

void fill(IDeckLinkVideoInputFrame* source, uint64_t arrival, CapturedFrame* frame) {
  frame->arrival = arrival;
  frame->width = static_cast<int32_t>(source->GetWidth());
  frame->height = static_cast<int32_t>(source->GetHeight());
  frame->rowBytes = source->GetRowBytes();
  frame->pixelFormat = source->GetPixelFormat();
  frame->flags = source->GetFlags();
  frame->streamTime = frame->streamDuration = 0;
  // A microsecond scale: fine enough to see a gap of one frame at any rate.
  frame->timed =
      source->GetStreamTime(&frame->streamTime, &frame->streamDuration, 1000000) == kS_OK;
  copyPixels(source, frame);
  copyMetadata(source, frame);
}

class HandoverCallback final : public IDeckLinkInputCallback {
 public:
  HRESULT QueryInterface(REFIID iid, LPVOID* ppv) override {
    if (ppv == nullptr) return kE_POINTER;
    if (sameIID(iid, IID_IUnknown) || sameIID(iid, IID_IDeckLinkInputCallback)) {
      *ppv = static_cast<IDeckLinkInputCallback*>(this);
      return kS_OK;
    }
    *ppv = nullptr;
    return kE_NOINTERFACE;
  }
  ULONG AddRef() override { return 1; }
  ULONG Release() override { return 1; }

  // The program enables its input at a fixed mode without format
  // detection; a change is seen in the frames themselves (no-signal flag,
  // size), so this has nothing to do.
  HRESULT VideoInputFormatChanged(BMDVideoInputFormatChangedEvents, IDeckLinkDisplayMode*,
                                  BMDDetectedVideoInputFormatFlags) override {
    blockReleaseSignalsHere();
    return kS_OK;
  }

  HRESULT VideoInputFrameArrived(IDeckLinkVideoInputFrame* videoFrame,
                                 IDeckLinkAudioInputPacket*) override {
    blockReleaseSignalsHere();
    if (videoFrame == nullptr || !gAccepting.load(std::memory_order_acquire)) return kS_OK;
    const uint64_t arrival = gArrivals.fetch_add(1, std::memory_order_acq_rel) + 1;
    for (Slot& slot : gSlots) {
      int expected = kFree;
      if (!slot.state.compare_exchange_strong(expected, kFilling, std::memory_order_acq_rel)) {
        continue;
      }
      fill(videoFrame, arrival, &slot.frame);
      slot.state.store(kFull, std::memory_order_release);
      const char wake = 1;
      // Non-blocking: a full pipe already holds a wake-up.
      const ssize_t written = write(gWakeWrite, &wake, 1);
      static_cast<void>(written);
      return kS_OK;
    }
    gDropped.fetch_add(1, std::memory_order_relaxed);
    return kS_OK;
  }
};

HandoverCallback gCallback;

bool makeWakePipe() {
  if (gWakeRead >= 0) return true;
  int ends[2];
  if (pipe(ends) != 0) return false;
  for (int end : ends) {
    fcntl(end, F_SETFL, fcntl(end, F_GETFL) | O_NONBLOCK);
    fcntl(end, F_SETFD, FD_CLOEXEC);
  }
  gWakeRead = ends[0];
  gWakeWrite = ends[1];
  return true;
}

void drainWakePipe() {
  char bytes[64];
  while (read(gWakeRead, bytes, sizeof bytes) > 0) {
  }
}

bool pollReadable(int fd, int timeoutMs) {
  pollfd polled = {fd, POLLIN, 0};
  return poll(&polled, 1, timeoutMs) > 0;
}

}  // namespace

IDeckLinkInputCallback* handoverCallback() { return &gCallback; }

Failure openHandover(uint64_t bytes) {
  stopHandover();
  if (!makeWakePipe()) return failure(FailureCode::kFailed, "could not make the capture pipe");
  drainWakePipe();
  for (Slot& slot : gSlots) {
    // Not accepting: no callback touches a slot now.
    slot.state.store(kFree, std::memory_order_relaxed);
    slot.frame.pixels.reserve(bytes);
  }
  gArrivals.store(0);
  gDropped.store(0);
  gAccepting.store(true, std::memory_order_release);
  return {};
}

void stopHandover() { gAccepting.store(false, std::memory_order_release); }

uint64_t arrivalsSoFar() { return gArrivals.load(std::memory_order_acquire); }
uint64_t framesDroppedByHandover() { return gDropped.load(std::memory_order_relaxed); }

bool takeArrival(CapturedFrame* frame) {
  Slot* oldest = nullptr;
  for (Slot& slot : gSlots) {
    if (slot.state.load(std::memory_order_acquire) != kFull) continue;
    if (oldest == nullptr || slot.frame.arrival < oldest->frame.arrival) oldest = &slot;
  }
  if (oldest == nullptr) return false;
  int expected = kFull;
  if (!oldest->state.compare_exchange_strong(expected, kTaking, std::memory_order_acq_rel)) {
    return false;
  }
  *frame = oldest->frame;
  oldest->state.store(kFree, std::memory_order_release);
  return true;
}

bool waitForArrival(int timeoutMs) {
  for (const Slot& slot : gSlots) {
    if (slot.state.load(std::memory_order_acquire) == kFull) return true;
  }
  if (gWakeRead < 0) return false;
  if (gWait != nullptr) {
    gWait(gWakeRead, timeoutMs);
  } else {
    pollReadable(gWakeRead, timeoutMs);
  }
  // A frame filled after this drain writes a wake-up of its own.
  drainWakePipe();
  for (const Slot& slot : gSlots) {
    if (slot.state.load(std::memory_order_acquire) == kFull) return true;
  }
  return false;
}

void setArrivalWait(ArrivalWait wait) { gWait = wait; }
