// One PGenerator command, turned into its reply and what corvane does
// about it. A pure function of the command and the screen, so that it can be
// tested and fuzzed without a socket or a card.
#ifndef CORVANE_NET_PGEN_COMMAND_H
#define CORVANE_NET_PGEN_COMMAND_H

#include <string>

#include "net/pgen/patch_command.h"
#include "net/pgen/queries.h"

enum class PgenAction {
  kReply,    // nothing but the reply
  kPaint,    // paint `patch`, then send the reply (or a failure reply)
  kSetting,  // a settings command: readPgenSetting (net/pgen/settings.h),
             // apply or print it, send the reply
  kQuit,     // send the reply, then close the connection
};

struct PgenResponse {
  PgenAction action = PgenAction::kReply;
  std::string reply;  // the bytes to send, ending with 0x02 0x0D
  std::string line;   // to print ("" prints nothing); for kPaint, once shown
  PgenPatch patch;    // for kPaint
  bool templateCommand = false;  // one of HCFR's template commands: not drawn
};

// The reply to a patch command that could not be shown on the card, and to
// a setting of the signalling that the card refused.
extern const char kPgenNotShownReply[];
extern const char kPgenNotAppliedReply[];

// Replies, before the terminator 0x02 0x0D:
//   IS_ALIVE                       ALIVE
//   CMD:<query>                    OK:<value> (net/pgen/queries.h), but
//                                  CMD:GET_MODE: the mode line alone
//   CMD:MULTIPLE:<q1>:<q2>...      OK:, then "\n<qN>:<value>" for each known
//                                  query, in order
//   CMD:SET_..., CMD:HALT, CMD:REBOOT, RESTARTPGENERATOR:...
//                                  OK: (accepted and ignored)
//   QUIT                           nothing (the terminator alone)
//   RGB=RECTANGLE..., SETCONF:..., TESTTEMPLATE...
//                                  OK (four bytes with the terminator, which
//                                  HCFR's client counts as success)
//   a patch command that is wrong  ERR:bad command
//   anything else                  ERR:unsupported
// Every reply ends with the terminator; every command that is wrong or not
// supported has a line naming it.
PgenResponse interpretPgenCommand(const std::string& command, const PgenScreen& screen);

#endif  // CORVANE_NET_PGEN_COMMAND_H
