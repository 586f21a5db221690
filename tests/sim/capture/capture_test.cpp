// Captured frames: files in the capture directory and the last frame in
// memory, both exactly the frame memory as displayed.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "support/card_calls.h"
#include "support/sim_test.h"

namespace {

using ::testing::MatchesRegex;

class CaptureTest : public SimTest {
 protected:
  // Displays a 1920x1080 frame whose bytes are `seed`, seed+1, ... (mod 251).
  void displayPattern(IDeckLinkOutput* output, unsigned seed) {
    IDeckLinkMutableVideoFrame* frame = createFrame(output, 1920, 1080);
    IDeckLinkVideoBuffer* buffer = bufferOf(frame);
    ASSERT_EQ(kS_OK, buffer->StartAccess(bmdBufferAccessWrite));
    void* bytes = nullptr;
    ASSERT_EQ(kS_OK, buffer->GetBytes(&bytes));
    for (size_t i = 0; i < kFrameSize; ++i) {
      static_cast<unsigned char*>(bytes)[i] = static_cast<unsigned char>((seed + i) % 251);
    }
    ASSERT_EQ(kS_OK, buffer->EndAccess(bmdBufferAccessWrite));
    buffer->Release();
    ASSERT_EQ(kS_OK, output->DisplayVideoFrameSync(frame));
    frame->Release();
  }

  static bool holdsPattern(const unsigned char* bytes, uint64_t size, unsigned seed) {
    if (size != kFrameSize) return false;
    for (size_t i = 0; i < kFrameSize; ++i) {
      if (bytes[i] != static_cast<unsigned char>((seed + i) % 251)) return false;
    }
    return true;
  }

  // The files in `directory`, sorted: display order, as the names number
  // the frames.
  static std::vector<std::string> filesIn(const std::string& directory) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  static constexpr size_t kFrameSize = size_t{7680} * 1080;
};

TEST_F(CaptureTest, WritesEachDisplayedFrameToItsOwnFile) {
  const std::string directory = scratch.file("frames/nested");  // created on demand
  configure("[device]\nname = A\n[capture]\ndirectory = " + directory + "\n");
  IDeckLinkOutput* output = enabledOutput(bmdModeHD1080p24);
  displayPattern(output, 0);
  displayPattern(output, 7);
  output->DisableVideoOutput();
  output->Release();

  // frame-<pid>-<n>.r210, n counting this process's captures from 000001
  // (earlier tests in the same process may have taken the first numbers).
  const std::vector<std::string> names = filesIn(directory);
  ASSERT_EQ(2u, names.size());  // and no temporary files left behind
  const std::string stem = "frame-" + std::to_string(getpid()) + "-";
  ASSERT_EQ(stem.size() + 11, names[0].size());
  ASSERT_EQ(stem, names[0].substr(0, stem.size()));
  const std::string digits = names[0].substr(stem.size(), 6);
  ASSERT_THAT(digits, MatchesRegex("[0-9]{6}")) << names[0];
  EXPECT_EQ(stem + digits + ".r210", names[0]);
  char second[32];
  std::snprintf(second, sizeof second, "%06ld", std::stol(digits) + 1);
  EXPECT_EQ(stem + second + ".r210", names[1]);
  for (unsigned n = 1; n <= 2; ++n) {
    const std::string path = directory + "/" + names[n - 1];
    decklink_sim_frame frame = {};
    ASSERT_EQ(1, decklink_sim_read_frame_file(path.c_str(), &frame)) << path;
    EXPECT_EQ(1920, frame.width);
    EXPECT_EQ(1080, frame.height);
    EXPECT_EQ(7680, frame.row_bytes);
    EXPECT_EQ(bmdFormat10BitRGB, frame.pixel_format);
    EXPECT_EQ(n, frame.sequence);
    EXPECT_TRUE(holdsPattern(frame.bytes, frame.size, n == 1 ? 0 : 7));
    std::free(const_cast<unsigned char*>(frame.bytes));
  }
}

TEST_F(CaptureTest, TheFileStartsWithTheDocumentedHeader) {
  const std::string directory = scratch.file("frames");
  configure("[device]\nname = A\n[capture]\ndirectory = " + directory + "\n");
  IDeckLinkOutput* output = enabledOutput(bmdModeHD1080p24);
  displayPattern(output, 3);
  output->DisableVideoOutput();
  output->Release();
  const std::vector<std::string> names = filesIn(directory);
  ASSERT_EQ(1u, names.size());
  std::ifstream file(directory + "/" + names[0], std::ios::binary);
  const std::string header =
      "DeckLinkSimFrame 1\nwidth 1920\nheight 1080\nrow_bytes 7680\npixel_format r210\n"
      "sequence 1\n\n";
  std::string start(header.size(), '\0');
  ASSERT_TRUE(file.read(&start[0], static_cast<std::streamsize>(start.size())));
  EXPECT_EQ(header, start);
  file.seekg(0, std::ios::end);
  EXPECT_EQ(static_cast<std::streamoff>(header.size() + kFrameSize), file.tellg());
}

TEST_F(CaptureTest, MemoryCaptureKeepsTheLastDisplayedFrame) {
  configure("[device]\nname = A\n[capture]\nmemory = yes\n");
  decklink_sim_frame frame = {};
  EXPECT_EQ(0, decklink_sim_last_frame(&frame));
  IDeckLinkOutput* output = enabledOutput(bmdModeHD1080p24);
  displayPattern(output, 1);
  displayPattern(output, 2);
  output->DisableVideoOutput();
  output->Release();
  ASSERT_EQ(1, decklink_sim_last_frame(&frame));
  EXPECT_EQ(2u, frame.sequence);
  EXPECT_EQ(7680, frame.row_bytes);
  EXPECT_TRUE(holdsPattern(frame.bytes, frame.size, 2));
  // A configure starts without one.
  configure("[device]\nname = A\n[capture]\nmemory = yes\n");
  EXPECT_EQ(0, decklink_sim_last_frame(&frame));
}

TEST_F(CaptureTest, WithCaptureOffNothingIsKept) {
  configure("[device]\nname = A\n");
  IDeckLinkOutput* output = enabledOutput(bmdModeHD1080p24);
  displayPattern(output, 1);
  output->DisableVideoOutput();
  output->Release();
  decklink_sim_frame frame = {};
  EXPECT_EQ(0, decklink_sim_last_frame(&frame));
  EXPECT_EQ(1, decklink_sim_displayed_count());
}

TEST(CaptureFileReading, RefusesFilesThatAreNotWholeCaptures) {
  ScratchDir scratch;
  const std::string good =
      "DeckLinkSimFrame 1\nwidth 2\nheight 1\nrow_bytes 8\npixel_format r210\nsequence 4\n\n";
  const struct {
    const char* what;
    std::string contents;
  } cases[] = {
      {"short", good + "1234567"},
      {"long", good + "123456789"},
      {"wrong magic", "DeckLinkSimFrame 2" + good.substr(18) + "12345678"},
      {"row too short", "DeckLinkSimFrame 1\nwidth 3\nheight 1\nrow_bytes 8\n"
                        "pixel_format r210\nsequence 4\n\n12345678"},
      {"other format", "DeckLinkSimFrame 1\nwidth 2\nheight 1\nrow_bytes 8\n"
                       "pixel_format v210\nsequence 4\n\n12345678"},
      {"negative", "DeckLinkSimFrame 1\nwidth -2\nheight 1\nrow_bytes 8\n"
                   "pixel_format r210\nsequence 4\n\n12345678"},
  };
  for (const auto& c : cases) {
    const std::string path = scratch.file("bad.r210");
    std::ofstream(path, std::ios::binary) << c.contents;
    decklink_sim_frame frame = {};
    EXPECT_EQ(0, decklink_sim_read_frame_file(path.c_str(), &frame)) << c.what;
  }
  const std::string path = scratch.file("good.r210");
  std::ofstream(path, std::ios::binary) << good << "12345678";
  decklink_sim_frame frame = {};
  ASSERT_EQ(1, decklink_sim_read_frame_file(path.c_str(), &frame));
  EXPECT_EQ(4u, frame.sequence);
  EXPECT_EQ(0, std::memcmp("12345678", frame.bytes, 8));
  std::free(const_cast<unsigned char*>(frame.bytes));
  EXPECT_EQ(0, decklink_sim_read_frame_file(scratch.file("missing.r210").c_str(), &frame));
}

}  // namespace
