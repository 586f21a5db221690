#include "net/pgen/connection.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "decklink/device_hold.h"
#include "decklink/held_card.h"
#include "decklink/shown_frame_proof.h"
#include "io/format.h"
#include "io/offered_lines.h"
#include "io/safe_points.h"
#include "net/pgen/command.h"
#include "net/pgen/settings.h"
#include "net/host_picture.h"

namespace {

// Applies a settings command: OK only once the setting is on the card or
// was already true; a setting corvane refuses is answered with why, a
// signalling the card refuses as not applied, and the card keeps what it
// had.
std::string applySetting(const std::string& command, const PgenSetting& setting,
                         const PgenServerState& state, const std::string& reply) {
  const PgenSettled settled = settlePgenSetting(setting, gSignalling, state.hdrOn);
  if (settled.outcome == PgenSettled::Outcome::kRefused) {
    offerStdoutLine("setting refused: " + printableText(command) + " (" + settled.why + ")");
    return "ERR:" + settled.why + kPgenEnd;
  }
  if (settled.outcome == PgenSettled::Outcome::kAlreadyTrue) return reply;
  const Failure refused = setSignalling(settled.wanted);
  deliverPendingSignals();
  if (refused.failed()) {
    offerStdoutLine("setting not applied: " + printableText(command) + ": " + refused.text());
    return kPgenNotAppliedReply;
  }
  offerStdoutLine("signalling: " + signallingText(gSignalling));
  return reply;
}

// A painted picture's reply: the command's own when it is on the card;
// with --verify, "ERR:" and what arrived changed; else "ERR:not shown".
std::string pgenPaintReply(const Failure& shown, const std::string& reply) {
  if (!shown.failed()) return reply;
  if (!provedWrong(shown)) return kPgenNotShownReply;
  return "ERR:" + printableText(shown.message, 400) + "\x02\x0D";
}

}  // namespace

PgenConnection::PgenConnection(int fd, std::string peer) : fd_(fd), peer_(std::move(peer)) {}

PgenConnection::~PgenConnection() { close(fd_); }

PgenConnection::Want PgenConnection::want() {
  if (!ended_.empty()) return Want::kEnd;
  if (!unsent_.empty()) return Want::kWrite;
  if (haveCommand_) return Want::kHandle;
  switch (reader_.next(&command_)) {
    case PgenCommandReader::Event::kCommand: haveCommand_ = true; return Want::kHandle;
    case PgenCommandReader::Event::kNeedMore: return Want::kRead;
    case PgenCommandReader::Event::kTooLong: break;
  }
  ended_ = formatted("a command longer than %zu bytes", kMaxPgenCommand);
  return Want::kEnd;
}

int PgenConnection::msLeftToWrite() const {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
      writeDeadline_ - std::chrono::steady_clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

std::string PgenConnection::readMore() {
  char buffer[64 * 1024];
  const ssize_t got = read(fd_, buffer, sizeof buffer);
  if (got > 0) {
    reader_.feed(buffer, static_cast<size_t>(got));
  } else if (got == 0) {
    ended_ = "the host closed the connection";
  } else if (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK) {
    ended_ = std::string("read error: ") + std::strerror(errno);
  }
  return ended_;
}

std::string PgenConnection::writeMore() {
  while (!unsent_.empty()) {
    // The socket is non-blocking: a host that does not read makes this
    // return at once, and the wait for it is the server's safe point.
    const ssize_t written = write(fd_, unsent_.data(), unsent_.size());
    if (written > 0) {
      unsent_.erase(0, static_cast<size_t>(written));
    } else if (written < 0 && errno == EINTR) {
      continue;
    } else if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      if (msLeftToWrite() == 0) {
        ended_ = formatted("the host did not read its reply within %d ms", kPgenReplyTimeoutMs);
      }
      return ended_;
    } else {
      ended_ = std::string("write error: ") + std::strerror(errno);
      return ended_;
    }
  }
  if (quitting_) ended_ = "the host sent QUIT";
  return ended_;
}

std::string PgenConnection::queueReply(const std::string& reply) {
  unsent_ = reply;
  writeDeadline_ = std::chrono::steady_clock::now() +
                   std::chrono::milliseconds(kPgenReplyTimeoutMs);
  return writeMore();
}

std::string PgenConnection::handleCommand(PgenServerState* state) {
  haveCommand_ = false;
  state->facts.signalling = gSignalling;
  const PgenResponse response = interpretPgenCommand(command_, state->facts, &state->templates);
  std::string reply = response.reply;
  switch (response.action) {
    case PgenAction::kPaint:
      reply = pgenPaintReply(showAndReport(response.picture), reply);
      break;
    case PgenAction::kSetting: reply = applySetting(command_, response.setting, *state, reply); break;
    case PgenAction::kQuit: quitting_ = true; break;
    case PgenAction::kReply:
      if (!response.line.empty()) offerStdoutLine(response.line);
      break;
  }
  return queueReply(reply);
}
