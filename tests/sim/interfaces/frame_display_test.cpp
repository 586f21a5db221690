// Frames: creation and its checks, buffer access, and the checks
// DisplayVideoFrameSync makes before it counts a display.
#include <cstring>

#include "support/card_calls.h"
#include "support/sim_test.h"

namespace {

class FrameDisplayTest : public SimTest {
 protected:
  void SetUp() override {
    configure("[device]\nname = A\n[device]\nname = B\n");
    output = enabledOutput(bmdModeHD1080p24);
    ASSERT_NE(nullptr, output);
  }
  void TearDown() override {
    output->DisableVideoOutput();
    output->Release();
    SimTest::TearDown();
  }

  HRESULT create(int32_t width, int32_t height, int32_t rowBytes, BMDPixelFormat format,
                 IDeckLinkMutableVideoFrame** frame) {
    *frame = reinterpret_cast<IDeckLinkMutableVideoFrame*>(0x1);  // must be overwritten
    return output->CreateVideoFrame(width, height, rowBytes, format, 0, frame);
  }

  // Expects the display to be refused as a misuse whose line says `why`.
  void expectMisuse(IDeckLinkVideoFrame* frame, const std::string& why) {
    const long before = decklink_sim_misuse_count();
    EXPECT_EQ(kE_FAIL, output->DisplayVideoFrameSync(frame)) << why;
    EXPECT_EQ(before + 1, decklink_sim_misuse_count()) << why;
    EXPECT_EQ(1u, logLinesWith("MISUSE").size()) << why;
    EXPECT_EQ(1u, logLinesWith(why).size()) << decklink_sim_log();
    EXPECT_EQ(0, decklink_sim_displayed_count());
    decklink_sim_clear_log();
  }

  IDeckLinkOutput* output = nullptr;
};

TEST_F(FrameDisplayTest, CreatesZeroedFramesOfTheAskedShape) {
  IDeckLinkMutableVideoFrame* frame = nullptr;
  ASSERT_EQ(kS_OK, create(1920, 1080, 7680 + 64, bmdFormat10BitRGB, &frame));
  EXPECT_EQ(1920, frame->GetWidth());
  EXPECT_EQ(1080, frame->GetHeight());
  EXPECT_EQ(7680 + 64, frame->GetRowBytes());
  EXPECT_EQ(bmdFormat10BitRGB, frame->GetPixelFormat());
  EXPECT_EQ(0u, frame->GetFlags());
  IDeckLinkVideoBuffer* buffer = bufferOf(frame);
  uint64_t size = 0;
  EXPECT_EQ(kS_OK, buffer->GetSize(&size));
  EXPECT_EQ(uint64_t{1080} * (7680 + 64), size);
  ASSERT_EQ(kS_OK, buffer->StartAccess(bmdBufferAccessRead));
  void* bytes = nullptr;
  ASSERT_EQ(kS_OK, buffer->GetBytes(&bytes));
  ASSERT_NE(nullptr, bytes);
  std::vector<unsigned char> zeros(size, 0);
  EXPECT_EQ(0, std::memcmp(zeros.data(), bytes, size));
  EXPECT_EQ(kS_OK, buffer->EndAccess(bmdBufferAccessRead));
  buffer->Release();
  frame->Release();
  EXPECT_EQ(1u, logLinesWith("CreateVideoFrame(1920x1080 rowbytes=7744 fmt=r210 flags=0) = "
                             "0x00000000 Frame#").size());
}

TEST_F(FrameDisplayTest, RefusesFramesItCannotMake) {
  const struct {
    int32_t width, height, rowBytes;
    BMDPixelFormat format;
  } bad[] = {
      {0, 1080, 7680, bmdFormat10BitRGB},     {1920, 0, 7680, bmdFormat10BitRGB},
      {-1, 1080, 7680, bmdFormat10BitRGB},    {1920, 1080, 7679, bmdFormat10BitRGB},
      {1920, 1080, 7680, fourCC("v210")},
  };
  for (const auto& b : bad) {
    IDeckLinkMutableVideoFrame* frame;
    EXPECT_EQ(kE_INVALIDARG, create(b.width, b.height, b.rowBytes, b.format, &frame));
    EXPECT_EQ(nullptr, frame);
  }
  EXPECT_EQ(kE_POINTER, output->CreateVideoFrame(1920, 1080, 7680, bmdFormat10BitRGB, 0, nullptr));
}

TEST_F(FrameDisplayTest, ConfiguredCreateFailureAppliesToTheModesSize) {
  ASSERT_EQ(0, decklink_sim_set(0, "create_frame.uhd = E_OUTOFMEMORY"));
  IDeckLinkMutableVideoFrame* frame;
  EXPECT_EQ(kE_OUTOFMEMORY, create(3840, 2160, 15360, bmdFormat10BitRGB, &frame));
  EXPECT_EQ(nullptr, frame);
  ASSERT_EQ(kS_OK, create(4096, 2160, 16384, bmdFormat10BitRGB, &frame));
  frame->Release();
}

TEST_F(FrameDisplayTest, DisplaysAFrameOfTheEnabledSize) {
  IDeckLinkMutableVideoFrame* frame = createFrame(output, 1920, 1080);
  EXPECT_EQ(kS_OK, output->DisplayVideoFrameSync(frame));
  EXPECT_EQ(kS_OK, output->DisplayVideoFrameSync(frame));
  EXPECT_EQ(2, decklink_sim_displayed_count());
  EXPECT_EQ(0, decklink_sim_misuse_count());
  frame->Release();
}

TEST_F(FrameDisplayTest, RefusesFramesOfAnotherSize) {
  expectMisusesAtEnd(1);
  IDeckLinkMutableVideoFrame* frame = createFrame(output, 3840, 2160);
  expectMisuse(frame, "frame is 3840x2160, the enabled mode 24ps is 1920x1080");
  frame->Release();
}

TEST_F(FrameDisplayTest, RefusesWhileTheOutputIsDisabled) {
  expectMisusesAtEnd(1);
  IDeckLinkMutableVideoFrame* frame = createFrame(output, 1920, 1080);
  output->DisableVideoOutput();
  expectMisuse(frame, "output not enabled");
  frame->Release();
}

TEST_F(FrameDisplayTest, RefusesWhileABufferAccessIsOpen) {
  expectMisusesAtEnd(1);
  IDeckLinkMutableVideoFrame* frame = createFrame(output, 1920, 1080);
  IDeckLinkVideoBuffer* buffer = bufferOf(frame);
  ASSERT_EQ(kS_OK, buffer->StartAccess(bmdBufferAccessWrite));
  expectMisuse(frame, "buffer access still open");
  ASSERT_EQ(kS_OK, buffer->EndAccess(bmdBufferAccessWrite));
  EXPECT_EQ(kS_OK, output->DisplayVideoFrameSync(frame));
  buffer->Release();
  frame->Release();
}

TEST_F(FrameDisplayTest, ReleasingABufferWithItsAccessOpenIsMisuseAndEndsTheAccess) {
  expectMisusesAtEnd(1);
  IDeckLinkMutableVideoFrame* frame = createFrame(output, 1920, 1080);
  IDeckLinkVideoBuffer* buffer = bufferOf(frame);
  ASSERT_EQ(kS_OK, buffer->StartAccess(bmdBufferAccessWrite));
  buffer->Release();
  EXPECT_EQ(1, decklink_sim_misuse_count());
  EXPECT_EQ(1u, logLinesWith("Release(): access still open (no EndAccess)").size());
  EXPECT_EQ(kS_OK, output->DisplayVideoFrameSync(frame));
  frame->Release();
}

TEST_F(FrameDisplayTest, AnEndAccessTheCardRefusedIsNotTheProgramsMisuse) {
  output->Release();
  // Counted calls: Next, EnableVideoOutput, CreateVideoFrame, StartAccess,
  // then EndAccess as the fifth.
  configure("[device]\nname = A\n[faults]\nfail_call = 5\n");
  output = enabledOutput(bmdModeHD1080p24);
  IDeckLinkMutableVideoFrame* frame = createFrame(output, 1920, 1080);
  IDeckLinkVideoBuffer* buffer = bufferOf(frame);
  ASSERT_EQ(kS_OK, buffer->StartAccess(bmdBufferAccessWrite));
  EXPECT_EQ(kE_FAIL, buffer->EndAccess(bmdBufferAccessWrite));
  ASSERT_EQ(1u, logLinesWith("EndAccess(2) = 0x80000008 injected").size());
  buffer->Release();
  EXPECT_EQ(kS_OK, output->DisplayVideoFrameSync(frame));
  EXPECT_EQ(0, decklink_sim_misuse_count()) << decklink_sim_report();
  frame->Release();
}

TEST_F(FrameDisplayTest, RefusesFramesThatAreNotThisCardsLiveFrames) {
  expectMisusesAtEnd(4);
  expectMisuse(nullptr, "null frame");
  // Another card's output made this one.
  IDeckLink* other = device(1);
  IDeckLinkOutput* otherOutput = outputOf(other);
  other->Release();
  IDeckLinkMutableVideoFrame* foreign = createFrame(otherOutput, 1920, 1080);
  expectMisuse(foreign, "frame created by another card's output");
  foreign->Release();
  otherOutput->Release();
  // A pointer that is no frame of the simulated card is never dereferenced.
  alignas(16) unsigned char notAFrame[64] = {};
  expectMisuse(reinterpret_cast<IDeckLinkVideoFrame*>(notAFrame),
               "not a frame this simulated card created");
  // A released frame.
  IDeckLinkMutableVideoFrame* frame = createFrame(output, 1920, 1080);
  frame->Release();
  expectMisuse(frame, "frame already released");
}

TEST_F(FrameDisplayTest, ConfiguredDisplayResultIsReturned) {
  ASSERT_EQ(0, decklink_sim_set(0, "display = E_ABORT"));
  IDeckLinkMutableVideoFrame* frame = createFrame(output, 1920, 1080);
  EXPECT_EQ(kE_ABORT, output->DisplayVideoFrameSync(frame));
  EXPECT_EQ(0, decklink_sim_displayed_count());
  frame->Release();
}

TEST_F(FrameDisplayTest, BufferKeepsThePixelsAfterTheFramesRelease) {
  IDeckLinkMutableVideoFrame* frame = createFrame(output, 64, 2);
  IDeckLinkVideoBuffer* buffer = bufferOf(frame);
  EXPECT_EQ(0u, frame->Release());
  ASSERT_EQ(kS_OK, buffer->StartAccess(bmdBufferAccessWrite));
  void* bytes = nullptr;
  ASSERT_EQ(kS_OK, buffer->GetBytes(&bytes));
  std::memset(bytes, 0xAB, 2 * 256);  // AddressSanitizer: still the frame's memory
  EXPECT_EQ(kS_OK, buffer->EndAccess(bmdBufferAccessWrite));
  buffer->Release();
}

TEST_F(FrameDisplayTest, BufferAccessOutOfOrderIsMisuse) {
  expectMisusesAtEnd(2);
  IDeckLinkMutableVideoFrame* frame = createFrame(output, 1920, 1080);
  IDeckLinkVideoBuffer* buffer = bufferOf(frame);
  void* bytes = nullptr;
  EXPECT_EQ(kS_OK, buffer->GetBytes(&bytes));  // answered, but counted
  EXPECT_NE(nullptr, bytes);
  EXPECT_EQ(1, decklink_sim_misuse_count());
  EXPECT_EQ(kE_FAIL, buffer->EndAccess(bmdBufferAccessWrite));
  EXPECT_EQ(2, decklink_sim_misuse_count());
  EXPECT_EQ(2u, logLinesWith("MISUSE Buffer#").size());
  buffer->Release();
  frame->Release();
}

TEST_F(FrameDisplayTest, ConfiguredBufferFaults) {
  ASSERT_EQ(0, decklink_sim_set(0, "start_access = E_ACCESSDENIED"));
  ASSERT_EQ(0, decklink_sim_set(0, "get_bytes = E_HANDLE"));
  IDeckLinkMutableVideoFrame* frame = createFrame(output, 1920, 1080);
  IDeckLinkVideoBuffer* buffer = bufferOf(frame);
  EXPECT_EQ(kE_ACCESSDENIED, buffer->StartAccess(bmdBufferAccessWrite));
  // A failed StartAccess opened nothing: the frame can be displayed.
  EXPECT_EQ(kS_OK, output->DisplayVideoFrameSync(frame));
  ASSERT_EQ(0, decklink_sim_set(0, "start_access = S_OK"));
  ASSERT_EQ(kS_OK, buffer->StartAccess(bmdBufferAccessWrite));
  void* bytes = reinterpret_cast<void*>(0x1);
  EXPECT_EQ(kE_HANDLE, buffer->GetBytes(&bytes));
  EXPECT_EQ(nullptr, bytes);
  ASSERT_EQ(0, decklink_sim_set(0, "get_bytes = null"));
  bytes = reinterpret_cast<void*>(0x1);
  EXPECT_EQ(kS_OK, buffer->GetBytes(&bytes));
  EXPECT_EQ(nullptr, bytes);
  EXPECT_EQ(kS_OK, buffer->EndAccess(bmdBufferAccessWrite));
  buffer->Release();
  frame->Release();
}

}  // namespace
