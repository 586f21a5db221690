// The PGenerator server's reading of network bytes: any byte stream, fed
// in pieces as reads would deliver it, through the command reader and the
// interpreter at two frame sizes, each with the templates uploaded so far.
// Checked: no command is longer than the limit; every command gets exactly
// one reply, ending with the terminator and holding no other; every
// picture is answered OK and its rectangles lie inside the frame with
// 10-bit colours; every printed line is printable text; and (by the
// sanitizers) nothing is read past its input.
#include <cstdint>
#include <string>

#include "network_stream.h"

#include "net/pgen/command.h"
#include "net/pgen/command_reader.h"

namespace {

bool tenBits(const Rgb10& c) { return c.r < 1024 && c.g < 1024 && c.b < 1024; }

void checkResponse(const std::string& command, const PgenFacts& facts, PgenTemplates* templates) {
  const PgenResponse response = interpretPgenCommand(command, facts, templates);
  const std::string& reply = response.reply;
  check(reply.size() >= 2 && reply.compare(reply.size() - 2, 2, "\x02\r") == 0,
        "the reply ends with the terminator");
  check(reply.find("\x02\r") == reply.size() - 2, "the reply holds one terminator");
  for (char c : response.line) check(c >= 0x20 && c < 0x7F, "the line is printable");
  if (response.action != PgenAction::kPaint) return;
  check(reply == "OK\x02\r", "a picture is answered OK");
  check(tenBits(response.picture.background), "colours are 10-bit");
  for (const ColouredRect& rect : response.picture.rects) {
    const PatchRect& r = rect.rect;
    check(r.x >= 0 && r.y >= 0 && r.w >= 0 && r.h >= 0, "non-negative");
    check(int64_t{r.x} + r.w <= facts.width && int64_t{r.y} + r.h <= facts.height,
          "inside the frame");
    check(tenBits(rect.colour), "colours are 10-bit");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const PgenFacts hd = {1920, 1080, "hd", "host"};
  const PgenFacts dci = {4096, 2160, "4k", "host"};
  PgenTemplates hdTemplates, dciTemplates;
  PgenCommandReader reader;
  std::string command;
  feedInPieces(data, size, [&](const char* bytes, size_t count) {
    reader.feed(bytes, count);
    for (;;) {
      const PgenCommandReader::Event event = reader.next(&command);
      if (event == PgenCommandReader::Event::kNeedMore) return true;
      if (event == PgenCommandReader::Event::kTooLong) return false;
      check(command.size() <= kMaxPgenCommand, "command length");
      checkResponse(command, hd, &hdTemplates);
      checkResponse(command, dci, &dciTemplates);
    }
  });
  return 0;
}
