// The call log's line format, which tests of programs match against: one
// line per call, in order, with ids that name each object.
#include "decklink/display_name.h"
#include "support/card_calls.h"
#include "support/sim_test.h"

namespace {

using ::testing::HasSubstr;

class CallLogFormatTest : public SimTest {};

TEST_F(CallLogFormatTest, AFullSequenceLogsEachCallInTheDocumentedForm) {
  configure("[device]\nname = DeckLink Duo 2\n");
  IDeckLinkIterator* iterator = CreateDeckLinkIteratorInstance_0004();
  IDeckLink* card = nullptr;
  iterator->Next(&card);
  DeckLinkString name = nullptr;
  card->GetDisplayName(&name);
  takeDeckLinkString(name);
  void* out = nullptr;
  card->QueryInterface(IID_IDeckLinkOutput, &out);
  auto* output = static_cast<IDeckLinkOutput*>(out);
  card->QueryInterface(IID_IDeckLinkConfiguration, &out);
  auto* configuration = static_cast<IDeckLinkConfiguration*>(out);
  configuration->SetFlag(bmdDeckLinkConfig444SDIVideoOutput, true);
  bool supported = false;
  BMDDisplayMode actual;
  output->DoesSupportVideoMode(0, bmdModeHD1080p24, bmdFormat10BitRGB,
                               bmdNoVideoOutputConversion, 0, &actual, &supported);
  output->EnableVideoOutput(bmdModeHD1080p24, 0);
  int32_t rowBytes = 0;
  output->RowBytesForPixelFormat(bmdFormat10BitRGB, 1920, &rowBytes);
  IDeckLinkMutableVideoFrame* frame = nullptr;
  output->CreateVideoFrame(1920, 1080, rowBytes, bmdFormat10BitRGB, 0, &frame);
  frame->QueryInterface(IID_IDeckLinkVideoBuffer, &out);
  auto* buffer = static_cast<IDeckLinkVideoBuffer*>(out);
  buffer->StartAccess(bmdBufferAccessWrite);
  uint64_t size = 0;
  buffer->GetSize(&size);
  buffer->EndAccess(bmdBufferAccessWrite);
  buffer->AddRef();
  buffer->Release();
  buffer->Release();
  output->DisplayVideoFrameSync(frame);
  frame->GetWidth();
  frame->Release();
  output->DisableVideoOutput();
  output->ScheduleVideoFrame(nullptr, 0, 0, 0);
  output->Release();
  configuration->Release();
  card->Release();
  iterator->Release();

  const std::vector<std::string> lines = logLines();
  ASSERT_FALSE(lines.empty());
  const long first = lastObjectId(lines[0]);
  auto id = [first](const char* kind, long offset) {
    return std::string(kind) + "#" + std::to_string(first + offset);
  };
  const std::string it = id("Iterator", 0), dev = id("Device", 1), out3 = id("Output", 2),
                    cfg = id("Configuration", 3), frm = id("Frame", 4), buf = id("Buffer", 5);
  const std::vector<std::string> expected = {
      "API CreateDeckLinkIteratorInstance() = " + it,
      it + " Next() = 0x00000000 " + dev,
      dev + " GetDisplayName() = 0x00000000 \"DeckLink Duo 2\"",
      dev + " QueryInterface(IDeckLinkOutput) = 0x00000000 " + out3,
      dev + " QueryInterface(IDeckLinkConfiguration) = 0x00000000 " + cfg,
      cfg + " SetFlag(444o true) = 0x00000000",
      out3 + " DoesSupportVideoMode(conn=0 mode=24ps fmt=r210 conv=none flags=0) = "
             "0x00000000 supported=yes",
      out3 + " EnableVideoOutput(mode=24ps flags=0) = 0x00000000",
      out3 + " RowBytesForPixelFormat(fmt=r210 width=1920) = 0x00000000 7680",
      out3 + " CreateVideoFrame(1920x1080 rowbytes=7680 fmt=r210 flags=0) = 0x00000000 " + frm,
      frm + " QueryInterface(IDeckLinkVideoBuffer) = 0x00000000 " + buf,
      buf + " StartAccess(2) = 0x00000000",
      buf + " GetSize() = 0x00000000 8294400",
      buf + " EndAccess(2) = 0x00000000",
      buf + " AddRef() = 2",
      buf + " Release() = 1",
      buf + " Release() = 0",
      out3 + " DisplayVideoFrameSync(" + frm + ") = 0x00000000",
      frm + " GetWidth() = 1920",
      frm + " Release() = 0",
      out3 + " DisableVideoOutput() = 0x00000000",
      out3 + " ScheduleVideoFrame() = 0x80000001",
      out3 + " Release() = 0",
      cfg + " Release() = 0",
      dev + " Release() = 0",
      it + " Release() = 0",
  };
  EXPECT_EQ(expected, lines);
}

TEST_F(CallLogFormatTest, ClearLogEmptiesOnlyTheLog) {
  configure("[device]\nname = A\n");
  IDeckLink* card = device(0);
  decklink_sim_clear_log();
  EXPECT_STREQ("", decklink_sim_log());
  EXPECT_EQ(1, decklink_sim_live_objects());
  card->Release();
  EXPECT_EQ(1u, logLines().size());
}

TEST_F(CallLogFormatTest, UnprintableFourCCsAreHex) {
  configure("[device]\nname = A\n");
  IDeckLink* card = device(0);
  IDeckLinkOutput* output = outputOf(card);
  card->Release();
  bool supported;
  BMDDisplayMode actual;
  output->DoesSupportVideoMode(2, 0x00000020, 0x7F000001u, 0, 0, &actual, &supported);
  EXPECT_EQ(1u, logLinesWith("DoesSupportVideoMode(conn=2 mode=0x00000020 fmt=0x7F000001 "
                             "conv=0x00000000 flags=0) = 0x00000000 supported=no")
                    .size());
  output->Release();
}

}  // namespace

namespace {

TEST_F(CallLogFormatTest, MemoryLogCanBeTurnedOffWhileAccountingGoesOn) {
  configure("[device]\nname = A\n[log]\nmemory = no\n");
  IDeckLinkIterator* iterator = CreateDeckLinkIteratorInstance_0004();
  ASSERT_NE(nullptr, iterator);
  EXPECT_STREQ("", decklink_sim_log());
  EXPECT_EQ(1, decklink_sim_live_objects());
  iterator->Release();
  EXPECT_EQ(0, decklink_sim_live_objects());
  configure("[device]\nname = A\n");
  iterator = CreateDeckLinkIteratorInstance_0004();
  iterator->Release();
  EXPECT_THAT(decklink_sim_log(), HasSubstr("Iterator#"));
}

}  // namespace
