// The metadata beside a captured frame: version 2 of the capture file,
// written for a frame that carried metadata and read back exactly.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/card_calls.h"
#include "support/sim_test.h"

namespace {

class CaptureMetadataTest : public SimTest {};

TEST_F(CaptureMetadataTest, AFrameWithMetadataIsWrittenAsVersionTwo) {
  const std::string directory = scratch.file("frames");
  configure("[device]\nname = A\n[capture]\ndirectory = " + directory + "\n");
  IDeckLinkOutput* output = enabledOutput(bmdModeHD1080p24);
  IDeckLinkMutableVideoFrame* frame = createFrame(output, 1920, 1080);
  IDeckLinkVideoFrameMutableMetadataExtensions* metadata = metadataOf(frame);
  ASSERT_EQ(kS_OK, metadata->SetInt(bmdDeckLinkFrameMetadataColorspace, bmdColorspaceRec2020));
  ASSERT_EQ(kS_OK, metadata->SetInt(bmdDeckLinkFrameMetadataHDRElectroOpticalTransferFunc, 3));
  ASSERT_EQ(kS_OK, metadata->SetFloat(bmdDeckLinkFrameMetadataHDRWhitePointY, 0.329));
  ASSERT_EQ(kS_OK,
            metadata->SetFloat(bmdDeckLinkFrameMetadataHDRMinDisplayMasteringLuminance, 0.0005));
  metadata->Release();
  ASSERT_EQ(kS_OK, frame->SetFlags(bmdFrameContainsHDRMetadata));
  ASSERT_EQ(kS_OK, output->DisplayVideoFrameSync(frame));
  frame->Release();
  output->DisableVideoOutput();
  output->Release();

  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(directory)) {
    files.push_back(entry.path().string());
  }
  ASSERT_EQ(1u, files.size());
  std::ifstream file(files[0], std::ios::binary);
  const std::string header =
      "DeckLinkSimFrame 2\nwidth 1920\nheight 1080\nrow_bytes 7680\npixel_format r210\n"
      "sequence 1\nflags 2\nmetadata cspc int 842019376\nmetadata eotf int 3\n"
      "metadata hdwy float 0.329\nmetadata hmil float 0.0005\n\n";
  std::string start(header.size(), '\0');
  ASSERT_TRUE(file.read(&start[0], static_cast<std::streamsize>(start.size())));
  EXPECT_EQ(header, start);

  EXPECT_EQ((CarriedMetadata{2, {{"cspc", 842019376}, {"eotf", 3}, {"hdwy", 0.329},
                                 {"hmil", 0.0005}}}),
            frameFileMetadata(files[0]));
  FrameFile pixels(files[0]);
  ASSERT_TRUE(pixels.ok());
  EXPECT_EQ(1920, pixels.frame().width);
  EXPECT_EQ(0u, pixels.word(100, 100));
}

TEST(CaptureMetadataReading, ReadsVersionTwoAndRefusesBadMetadataLines) {
  ScratchDir scratch;
  const std::string top =
      "DeckLinkSimFrame 2\nwidth 2\nheight 1\nrow_bytes 8\npixel_format r210\nsequence 4\n";
  const std::string pixels = "12345678";
  const std::string path = scratch.file("frame.r210");
  std::ofstream(path, std::ios::binary)
      << top << "flags 3\nmetadata eotf int 2\nmetadata fall float 400\n\n" << pixels;
  EXPECT_EQ((CarriedMetadata{3, {{"eotf", 2}, {"fall", 400}}}), frameFileMetadata(path));
  FrameFile frame(path);
  ASSERT_TRUE(frame.ok());
  EXPECT_EQ(4u, frame.frame().sequence);

  // A version 1 file carries none.
  const std::string plain = scratch.file("plain.r210");
  std::ofstream(plain, std::ios::binary)
      << "DeckLinkSimFrame 1" << top.substr(18) << "\n" << pixels;
  EXPECT_EQ(CarriedMetadata(), frameFileMetadata(plain));

  const char* const bad[] = {
      "\n",                                   // no flags line
      "flags -1\n\n",                         // not a flag word
      "flags 2\nmetadata dovi int 1\n\n",     // an id the card does not keep
      "flags 2\nmetadata eotf float 2\n\n",   // the other kind
      "flags 2\nmetadata hdrx int 1\n\n",     // the other kind
      "flags 2\nmetadata hdrx float x\n\n",   // no number
      "flags 2\nmetadata eotf int 2 3\n\n",   // more after the value
      "flags 2\nmetadata eotf integer 2\n\n", // no kind
      "flags 2\nmetadata eotf int 2\n",       // no empty line before the pixels
  };
  for (const char* lines : bad) {
    std::ofstream(path, std::ios::binary) << top << lines << pixels;
    EXPECT_EQ(0xFFFFFFFFu, frameFileMetadata(path).flags) << lines;
    decklink_sim_frame refused = {};
    EXPECT_EQ(0, decklink_sim_read_frame_file(path.c_str(), &refused)) << lines;
  }
}

}  // namespace
