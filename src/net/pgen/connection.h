// One host's connection to `corvane pgen`: its bytes read into commands,
// each command shown and answered in turn, the replies written without ever
// waiting for the host. The server's loop does all the waiting, at its safe
// point, and asks the connection what to wait for next.
#ifndef CORVANE_NET_PGEN_CONNECTION_H
#define CORVANE_NET_PGEN_CONNECTION_H

#include <chrono>
#include <string>

#include "decklink/signalling.h"
#include "net/pgen/command_reader.h"
#include "net/pgen/queries.h"
#include "net/pgen/template_store.h"

// What lasts from one connection to the next.
struct PgenServerState {
  PgenFacts facts;
  Signalling hdrOn;  // what a host's SET_IS_HDR:1 puts on the card
  PgenTemplates templates;       // HCFR's, uploaded once and used by later connections
  bool textNoticeGiven = false;  // said once per run, not per command
};

// How long a reply may wait for a host that does not read it before the
// connection is dropped, so that such a host cannot keep the card from
// others.
constexpr int kPgenReplyTimeoutMs = 1000;

// How long a connection that came while another host is served has to
// send its first whole command before it is closed.
constexpr int kPgenFirstCommandTimeoutMs = 5000;

class PgenConnection {
 public:
  // Takes `fd`, a connected non-blocking socket, and closes it at the end.
  PgenConnection(int fd, std::string peer);
  ~PgenConnection();
  PgenConnection(const PgenConnection&) = delete;
  PgenConnection& operator=(const PgenConnection&) = delete;

  int fd() const { return fd_; }
  const std::string& peer() const { return peer_; }

  enum class Want {
    kRead,    // wait until the socket is readable, then readMore()
    kWrite,   // wait until it is writable, at most msLeftToWrite(), then writeMore()
    kHandle,  // a whole command is ready: handleCommand(), without waiting
    kEnd,     // the connection is over: endReason() says why
  };
  // Replies are written before the next command is taken, and no more is
  // read while a whole command waits, so the bytes held stay bounded.
  Want want();
  int msLeftToWrite() const;

  // Each returns "" while the connection goes on, else why it has ended.
  std::string readMore();
  std::string writeMore();
  std::string handleCommand(PgenServerState* state);
  const std::string& endReason() const { return ended_; }

 private:
  std::string queueReply(const std::string& reply);

  int fd_;
  std::string peer_;
  PgenCommandReader reader_;
  std::string command_;       // taken from the reader, not yet handled
  bool haveCommand_ = false;
  std::string unsent_;        // reply bytes the host has not taken yet
  std::chrono::steady_clock::time_point writeDeadline_;
  bool quitting_ = false;     // close once the reply to QUIT is out
  std::string ended_;
};

#endif  // CORVANE_NET_PGEN_CONNECTION_H
