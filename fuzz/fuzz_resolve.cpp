// The Resolve target's reading of network bytes: any byte stream, fed in
// pieces as reads would deliver it, through the framing, the XML reading and
// the picture. Checked: every message is either a picture or an error that
// names a problem; every rectangle lies inside the frame; every colour is a
// 10-bit code; and (by the sanitizers) nothing is read past its input.
#include <cstdint>
#include <string>

#include "network_stream.h"

#include "net/resolve/framing.h"
#include "net/resolve/message.h"
#include "net/resolve/picture.h"

namespace {

void checkPicture(const ResolveMessage& message, int32_t width, int32_t height) {
  const Picture picture = resolvePicture(message, width, height);
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
  ResolveFraming framing;
  std::string message, problem;
  feedInPieces(data, size, [&](const char* bytes, size_t count) {
    framing.feed(bytes, count);
    for (;;) {
      problem.clear();
      const ResolveFraming::Event event = framing.next(&message, &problem);
      if (event == ResolveFraming::Event::kNeedMore) return true;
      if (event != ResolveFraming::Event::kMessage) {
        check(event == ResolveFraming::Event::kEnd || !problem.empty(), "errors are named");
        return false;
      }
      check(!message.empty() && message.size() <= kMaxResolveMessage, "message length");
      ResolveMessage parsed;
      const Failure refused = parseResolveMessage(message, &parsed);
      if (!refused.failed()) {
        check(!parsed.rects.empty(), "a picture has a rectangle");
        checkPicture(parsed, 1920, 1080);
        checkPicture(parsed, 4096, 2160);
      } else {
        check(!refused.message.empty(), "a refused message names its problem");
      }
    }
  });
  return 0;
}
