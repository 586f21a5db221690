#include "interfaces/output.h"

#include <unistd.h>

#include "accounting/call_record.h"
#include "accounting/log_values.h"
#include "state/card_hold.h"
#include "util/util.h"

SimOutput::SimOutput(std::shared_ptr<CardRuntime> card)
    : SimObject("Output"), card_(std::move(card)) {}

HRESULT SimOutput::DoesSupportVideoMode(BMDVideoConnection connection,
                                        BMDDisplayMode requestedMode,
                                        BMDPixelFormat requestedPixelFormat,
                                        BMDVideoOutputConversionMode conversionMode,
                                        BMDSupportedVideoModeFlags flags,
                                        BMDDisplayMode* actualMode, bool* supported) {
  StateLock lock;
  CallRecord call(lock.state(), *this, "DoesSupportVideoMode",
                  stringPrintf("conn=%u mode=%s fmt=%s conv=%s flags=%u", connection,
                               fourCCText(requestedMode).c_str(),
                               fourCCText(requestedPixelFormat).c_str(),
                               fourCCText(conversionMode).c_str(), flags));
  if (supported != nullptr) *supported = false;
  if (call.refused()) return call.refusal();
  if (supported == nullptr) return call.finish(kE_POINTER);
  const int mode = simModeByFourCC(requestedMode);
  HRESULT result = kS_OK;
  bool answer =
      mode >= 0 && card_->setup.modes[mode] && requestedPixelFormat == bmdFormat10BitRGB;
  if (mode >= 0 && card_->setup.probe[mode].set) {
    result = card_->setup.probe[mode].result;
    answer = card_->setup.probe[mode].supported;
  }
  *supported = answer;
  // The driver never converts, so the mode it would use is the one asked for.
  if (answer && actualMode != nullptr) *actualMode = requestedMode;
  return call.finish(result, answer ? "supported=yes" : "supported=no");
}

HRESULT SimOutput::EnableVideoOutput(BMDDisplayMode displayMode, BMDVideoOutputFlags flags) {
  StateLock lock;
  SimState& state = lock.state();
  CallRecord call(state, *this, "EnableVideoOutput",
                  stringPrintf("mode=%s flags=%u", fourCCText(displayMode).c_str(), flags));
  if (call.refused()) return call.refusal();
  CardRuntime& card = *card_;
  const int mode = simModeByFourCC(displayMode);
  if (mode >= 0 && card.setup.enable[mode].set) {
    return call.finish(card.setup.enable[mode].result);
  }
  if (mode < 0 || !card.setup.modes[mode]) return call.finish(kE_INVALIDARG, "unknown-mode");
  if (card.enabled) return call.finish(kE_ACCESSDENIED, "already-enabled");
  if (card.retired) return call.finish(kE_FAIL, "card-removed-by-configure");
  const std::string directory =
      state.setup.holdDirectory.empty() ? defaultHoldDirectory() : state.setup.holdDirectory;
  std::string detail;
  switch (card.hold.take(directory, card.setup.id, &detail)) {
    case CardHold::Outcome::kTaken:
      break;
    case CardHold::Outcome::kHeldElsewhere:
      return call.finish(kE_ACCESSDENIED,
                         "held-by-another-process" + (detail.empty() ? "" : " " + detail));
    case CardHold::Outcome::kError:
      return call.finish(kE_FAIL, "hold-error " + detail);
  }
  card.enabled = true;
  card.mode = displayMode;
  card.enabledBy = id();
  return call.finish(kS_OK);
}

HRESULT SimOutput::DisableVideoOutput() {
  // A slow driver: the delay passes before the call, outside the lock.
  int32_t delayMs = 0;
  {
    StateLock lock;
    delayMs = card_->setup.disableDelayMs;
  }
  if (delayMs > 0) usleep(static_cast<useconds_t>(delayMs) * 1000);
  StateLock lock;
  CallRecord call(lock.state(), *this, "DisableVideoOutput", "");
  if (call.refused()) return call.refusal();
  card_->endOutput();
  return call.finish(kS_OK);
}

HRESULT SimOutput::RowBytesForPixelFormat(BMDPixelFormat pixelFormat, int32_t width,
                                          int32_t* rowBytes) {
  StateLock lock;
  CallRecord call(lock.state(), *this, "RowBytesForPixelFormat",
                  stringPrintf("fmt=%s width=%d", fourCCText(pixelFormat).c_str(), width));
  if (call.refused()) {
    if (rowBytes != nullptr) *rowBytes = 0;
    return call.refusal();
  }
  if (rowBytes == nullptr) return call.finish(kE_POINTER);
  // Widths past 2^24 would overflow the row size; no mode comes near.
  if (pixelFormat != bmdFormat10BitRGB || width <= 0 || width > (1 << 24)) {
    return call.finish(kE_INVALIDARG);
  }
  // r210 rows are whole 64-pixel blocks of 256 bytes.
  *rowBytes = card_->setup.rowBytes > 0 ? card_->setup.rowBytes
                                        : ((width + 63) / 64) * 256 + card_->setup.rowPadding;
  return call.finish(kS_OK, std::to_string(*rowBytes));
}

QueryAnswer SimOutput::answerQuery(SimState&, const DeckLinkIID& iid) {
  if (sameIID(iid, IID_IUnknown) || sameIID(iid, IID_IDeckLinkOutput)) return itself();
  return QueryAnswer();
}

std::string SimOutput::finalRelease(SimState&) {
  if (!card_->enabled || card_->enabledBy != id()) return std::string();
  card_->endOutput();
  return "disabled-output";
}
