// The Resolve target's reading of network bytes: any byte stream, fed in
// pieces as reads would deliver it, through the framing, the XML reading and
// the picture. Checked: every message is either a picture or an error that
// names a problem; every rectangle lies inside the frame; every colour is a
// 10-bit code; and (by the sanitizers) nothing is read past its input.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "net/resolve/framing.h"
#include "net/resolve/message.h"
#include "net/resolve/picture.h"

namespace {

void check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
  }
}

void checkPicture(const ResolveMessage& message, int32_t width, int32_t height) {
  const ResolvePicture picture = resolvePicture(message, width, height);
  check(picture.background.r < 1024 && picture.background.g < 1024 &&
            picture.background.b < 1024,
        "background is 10-bit");
  check(picture.rects.size() == message.rects.size(), "one rectangle per shape");
  for (const ColouredRect& r : picture.rects) {
    check(r.rect.x >= 0 && r.rect.y >= 0 && r.rect.w >= 0 && r.rect.h >= 0, "non-negative");
    check(int64_t{r.rect.x} + r.rect.w <= width && int64_t{r.rect.y} + r.rect.h <= height,
          "inside the frame");
    check(r.colour.r < 1024 && r.colour.g < 1024 && r.colour.b < 1024, "colour is 10-bit");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  // The first byte chooses how the rest arrives: in pieces of 1 to 256 bytes.
  const size_t piece = size_t{data[0]} + 1;
  const char* stream = reinterpret_cast<const char*>(data + 1);
  const size_t length = size - 1;
  ResolveFraming framing;
  std::string message, problem;
  for (size_t at = 0; at < length;) {
    const size_t count = std::min(piece, length - at);
    framing.feed(stream + at, count);
    at += count;
    for (;;) {
      problem.clear();
      const ResolveFraming::Event event = framing.next(&message, &problem);
      if (event == ResolveFraming::Event::kNeedMore) break;
      if (event != ResolveFraming::Event::kMessage) {
        check(event == ResolveFraming::Event::kEnd || !problem.empty(), "errors are named");
        return 0;
      }
      check(!message.empty() && message.size() <= kMaxResolveMessage, "message length");
      ResolveMessage parsed;
      std::string why;
      if (parseResolveMessage(message, &parsed, &why)) {
        check(!parsed.rects.empty(), "a picture has a rectangle");
        checkPicture(parsed, 1920, 1080);
        checkPicture(parsed, 4096, 2160);
      } else {
        check(!why.empty(), "a refused message names its problem");
      }
    }
  }
  return 0;
}
