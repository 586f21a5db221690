// The Resolve framing over byte streams cut anywhere.
#include "net/resolve/framing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/resolve_frame.h"

namespace {

const std::string kEnd("\xFF\xFF\xFF\xFF", 4);

// Feeds `stream` in pieces of the given sizes (the last piece takes the
// rest) and returns the events as text: the messages, "END" or "ERROR <why>".
std::vector<std::string> events(const std::string& stream, const std::vector<size_t>& cuts) {
  ResolveFraming framing;
  std::vector<std::string> seen;
  size_t at = 0;
  for (size_t i = 0; i <= cuts.size(); ++i) {
    const size_t size = i < cuts.size() ? std::min(cuts[i], stream.size() - at) : stream.size() - at;
    framing.feed(stream.data() + at, size);
    at += size;
    std::string message, problem;
    for (;;) {
      const ResolveFraming::Event event = framing.next(&message, &problem);
      if (event == ResolveFraming::Event::kNeedMore) break;
      if (event == ResolveFraming::Event::kMessage) seen.push_back(message);
      if (event == ResolveFraming::Event::kEnd) return seen.push_back("END"), seen;
      if (event == ResolveFraming::Event::kError) return seen.push_back("ERROR " + problem), seen;
    }
  }
  return seen;
}

TEST(ResolveFraming, MessagesCutAtEveryByteArriveWhole) {
  const std::string stream = resolveFrame("<a/>") + resolveFrame("<calibration>x</calibration>") +
                             resolveFrame(std::string(300, 'y')) + kEnd + resolveFrame("after the end");
  const std::vector<std::string> expected = {"<a/>", "<calibration>x</calibration>",
                                             std::string(300, 'y'), "END"};
  EXPECT_EQ(expected, events(stream, {}));  // all in one read
  for (size_t cut = 1; cut < stream.size(); ++cut) {
    EXPECT_EQ(expected, events(stream, {cut})) << "cut after byte " << cut;
  }
  EXPECT_EQ(expected, events(stream, std::vector<size_t>(stream.size(), 1)));  // byte by byte
}

TEST(ResolveFraming, LengthsOfZeroOrAbove64KiBAreErrors) {
  EXPECT_EQ(std::vector<std::string>({"ERROR message length 0 is not 1 to 65536"}),
            events(std::string(4, '\0') + "<a/>", {}));
  const std::string big(65537, 'z');
  EXPECT_EQ(std::vector<std::string>({"ERROR message length 65537 is not 1 to 65536"}),
            events(resolveFrame(big), {}));
  const std::string largest(65536, 'z');
  EXPECT_EQ(std::vector<std::string>({largest}), events(resolveFrame(largest), {1000, 70000}));
  // A message before the bad length is still taken.
  EXPECT_EQ(std::vector<std::string>({"<a/>", "ERROR message length 0 is not 1 to 65536"}),
            events(resolveFrame("<a/>") + std::string(4, '\0'), {}));
}

TEST(ResolveFraming, APartialMessageWaitsForTheRest) {
  EXPECT_TRUE(events(resolveFrame("<calibration/>").substr(0, 9), {}).empty());
  EXPECT_TRUE(events(std::string("\x00\x00", 2), {}).empty());
  EXPECT_TRUE(events(std::string("\xFF\xFF\xFF", 3), {}).empty());
}

}  // namespace
