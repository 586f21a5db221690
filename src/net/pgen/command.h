// One PGenerator command, turned into its reply and what corvane does
// about it. A function of the command, the facts the queries answer and the
// templates uploaded so far, so that it can be tested and fuzzed without a socket or
// a card.
#ifndef CORVANE_NET_PGEN_COMMAND_H
#define CORVANE_NET_PGEN_COMMAND_H

#include <string>
#include <vector>

#include "net/pgen/queries.h"
#include "net/pgen/settings.h"
#include "net/pgen/template_store.h"
#include "render/show_picture.h"

enum class PgenAction {
  kReply,    // nothing but the reply
  kPaint,    // paint `picture`, then send the reply (or a failure reply)
  kSetting,  // a settings command, read into `setting`: apply it or print
             // its line, send the reply
  kQuit,     // send the reply, then close the connection
};

struct PgenResponse {
  PgenAction action = PgenAction::kReply;
  std::string reply;         // the bytes to send, ending with 0x02 0x0D
  std::string line;          // to print ("" prints nothing)
  Picture picture;           // for kPaint
  PgenSetting setting;       // for kSetting
  bool textLeftOut = false;  // the command asked for text, which corvane does not draw
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
//   RGB=RECTANGLE..., SETCONF:...  OK (four bytes with the terminator, which
//                                  HCFR's client counts as success)
//   SETCONF:<name>:TEMPLATERAMDISK:<blocks>
//                                  OK: the template is in `templates`
//                                  (net/pgen/template_blocks.h); ERR:bad
//                                  template, ERR:unsupported (a block that
//                                  draws neither a rectangle nor text) or
//                                  ERR:template store full: not stored
//   TESTTEMPLATERAMDISK:<name>:r,g,b;R,G,B
//                                  OK: the whole screen in R,G,B, each of the
//                                  template's rectangles in r,g,b (DYNAMIC)
//                                  or its own colour; 8-bit codes as
//                                  RGB=RECTANGLE's. ERR:unknown template
//                                  when none of that name was uploaded,
//                                  ERR:no rectangle when it has none
//   TESTTEMPLATE:PatternDynamic:r,g,b, TESTTEMPLATEDISK:PatternDynamic:r,g,b
//                                  OK: a full field of r,g,b (HCFR's "user
//                                  pattern" of one colour, and its black at
//                                  the end of a run); any other name of
//                                  those two: ERR:unknown template
//   a patch or template command that is wrong
//                                  ERR:bad command
//   RGB=TEXT...                    ERR:unsupported, with textLeftOut
//   anything else                  ERR:unsupported
// The picture commands answer OK only for kPaint, and the server sends it
// only once the picture is on the card. Every reply ends with the
// terminator; every command that is wrong or not supported has a line
// naming it, but text, which is said once per run.
PgenResponse interpretPgenCommand(const std::string& command, const PgenFacts& facts,
                                  PgenTemplates* templates);

#endif  // CORVANE_NET_PGEN_COMMAND_H
