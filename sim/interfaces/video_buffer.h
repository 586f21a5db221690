// IDeckLinkVideoBuffer: access to a frame's pixels. The buffer keeps the
// pixels alive while it lives, even after its frame's final Release.
// StartAccess and EndAccess must pair up: the frame cannot be displayed
// while an access is open, and releasing a buffer with an access still
// open is a misuse (the access ends with it).
#ifndef DECKLINK_SIM_INTERFACES_VIDEO_BUFFER_H
#define DECKLINK_SIM_INTERFACES_VIDEO_BUFFER_H

#include <memory>

#include "accounting/counted_object.h"
#include "interfaces/video_frame.h"
#include "state/sim_state.h"

class SimVideoBuffer final : public SimObject<IDeckLinkVideoBuffer> {
 public:
  SimVideoBuffer(std::shared_ptr<CardRuntime> card, std::shared_ptr<FramePixels> pixels);

  HRESULT GetBytes(void** buffer) override;
  HRESULT GetSize(uint64_t* bufferSize) override;
  HRESULT StartAccess(BMDBufferAccessFlags flags) override;
  HRESULT EndAccess(BMDBufferAccessFlags flags) override;

  QueryAnswer answerQuery(SimState& state, const DeckLinkIID& iid) override;
  std::string finalRelease(SimState& state) override;

 private:
  const std::shared_ptr<CardRuntime> card_;
  std::shared_ptr<FramePixels> pixels_;  // null once released
  // Accesses opened through this buffer and not yet ended. They end with
  // the buffer: a released buffer cannot go on writing.
  int openedHere_ = 0;
  // The last EndAccess was refused by the card itself (an injected fault),
  // so an access still open at release is not the program's fault.
  bool endRefused_ = false;
};

#endif  // DECKLINK_SIM_INTERFACES_VIDEO_BUFFER_H
