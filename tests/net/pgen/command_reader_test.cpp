// The PGenerator framing over byte streams cut anywhere.
#include "net/pgen/command_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "net/pgen/literal_commands.h"

namespace {

// Feeds `stream` in pieces of the given sizes (the last piece takes the
// rest) and returns the commands, and "TOO LONG" where the reader gives up.
std::vector<std::string> commands(const std::string& stream, const std::vector<size_t>& cuts) {
  PgenCommandReader reader;
  std::vector<std::string> seen;
  size_t at = 0;
  for (size_t i = 0; i <= cuts.size(); ++i) {
    const size_t size = i < cuts.size() ? std::min(cuts[i], stream.size() - at) : stream.size() - at;
    reader.feed(stream.data() + at, size);
    at += size;
    std::string command;
    for (;;) {
      const PgenCommandReader::Event event = reader.next(&command);
      if (event == PgenCommandReader::Event::kNeedMore) break;
      if (event == PgenCommandReader::Event::kTooLong) return seen.push_back("TOO LONG"), seen;
      seen.push_back(command);
    }
  }
  return seen;
}

TEST(PgenCommandReader, CommandsCutAtEveryByteArriveWhole) {
  const std::string stream = std::string(literal::kIsAlive) + literal::kHcfrPatch +
                             literal::kTemplateUpload + "\x02\x02\r" + "a\rb\x02" + "\x02\r" +
                             literal::kQuit + "QUI";
  const std::vector<std::string> expected = {
      "IS_ALIVE",
      "RGB=RECTANGLE;607,341;100;128,128,128;0,0,0;-1,-1,0,0",
      std::string(literal::kTemplateUpload, sizeof literal::kTemplateUpload - 3),
      "\x02",        // a lone 0x02 before the terminator belongs to the command
      "a\rb\x02",    // so do CR and 0x02 apart
      "QUIT"};
  EXPECT_EQ(expected, commands(stream, {}));  // all in one read
  for (size_t cut = 1; cut < stream.size(); ++cut) {
    EXPECT_EQ(expected, commands(stream, {cut})) << "cut after byte " << cut;
  }
  EXPECT_EQ(expected, commands(stream, std::vector<size_t>(stream.size(), 1)));  // byte by byte
}

TEST(PgenCommandReader, EmptyCommandsAreCommands) {
  EXPECT_EQ(std::vector<std::string>({"", ""}), commands("\x02\r\x02\r", {}));
}

TEST(PgenCommandReader, CommandsOfMoreThan64KiBEndTheStream) {
  const std::string largest(65536, 'z');
  EXPECT_EQ(std::vector<std::string>({largest, "IS_ALIVE"}),
            commands(largest + literal::kEnd + literal::kIsAlive, {1000, 64536, 1, 1}));
  // One byte more: refused once the terminator could no longer come in time,
  // whether or not it comes later, and without holding the whole stream.
  const std::string tooLong(65537, 'z');
  EXPECT_EQ(std::vector<std::string>({"TOO LONG"}), commands(tooLong + literal::kEnd, {}));
  EXPECT_EQ(std::vector<std::string>({"TOO LONG"}), commands(tooLong, {65537}));
  EXPECT_EQ(std::vector<std::string>({"IS_ALIVE", "TOO LONG"}),
            commands(literal::kIsAlive + std::string(65537, 'z'), {10, 65537}));
  // 65536 bytes and a 0x02: the CR may still follow.
  EXPECT_TRUE(commands(largest + "\x02", {}).empty());
}

}  // namespace
