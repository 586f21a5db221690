// [faults] fail_call: the Nth counted call fails with the configured
// result and clears its out-parameters, so a test can fail every call of
// a sequence in turn.
#include <cstdint>

#include "decklink/display_name.h"
#include "support/card_calls.h"
#include "support/sim_test.h"

namespace {

using ::testing::HasSubstr;

class FailCallTest : public SimTest {
 protected:
  // The whole way from the entry point to a displayed frame, stopping at the
  // first failure as a careful program would, releasing everything it got.
  // Expects each failing call to have cleared its out-parameter.
  void runSequence() {
    IDeckLinkIterator* iterator = CreateDeckLinkIteratorInstance_0004();
    ASSERT_NE(nullptr, iterator);
    IDeckLink* card = reinterpret_cast<IDeckLink*>(0x1);
    if (iterator->Next(&card) != kS_OK) {
      EXPECT_EQ(nullptr, card);
    }
    iterator->Release();
    if (card == nullptr) return;
    DeckLinkString name = reinterpret_cast<DeckLinkString>(uintptr_t{1});
    if (card->GetDisplayName(&name) != kS_OK) {
      EXPECT_EQ(nullptr, name);
    }
    takeDeckLinkString(name);
    IDeckLinkOutput* output = outputOf(card);
    card->Release();
    withOutput(output);
    output->Release();
  }

  void withOutput(IDeckLinkOutput* output) {
    bool supported = true;
    BMDDisplayMode actual = 0;
    if (output->DoesSupportVideoMode(0, bmdModeHD1080p24, bmdFormat10BitRGB,
                                     bmdNoVideoOutputConversion, 0, &actual,
                                     &supported) != kS_OK) {
      EXPECT_FALSE(supported);
      return;
    }
    if (output->EnableVideoOutput(bmdModeHD1080p24, 0) != kS_OK) return;
    int32_t rowBytes = -1;
    if (output->RowBytesForPixelFormat(bmdFormat10BitRGB, 1920, &rowBytes) != kS_OK) {
      EXPECT_EQ(0, rowBytes);
    } else {
      IDeckLinkMutableVideoFrame* frame = reinterpret_cast<IDeckLinkMutableVideoFrame*>(0x1);
      if (output->CreateVideoFrame(1920, 1080, rowBytes, bmdFormat10BitRGB, 0, &frame) !=
          kS_OK) {
        EXPECT_EQ(nullptr, frame);
      } else {
        withFrame(output, frame);
        frame->Release();
      }
    }
    output->DisableVideoOutput();
  }

  void withFrame(IDeckLinkOutput* output, IDeckLinkMutableVideoFrame* frame) {
    IDeckLinkVideoBuffer* buffer = bufferOf(frame);
    if (buffer->StartAccess(bmdBufferAccessWrite) == kS_OK) {
      void* bytes = reinterpret_cast<void*>(0x1);
      if (buffer->GetBytes(&bytes) != kS_OK) {
        EXPECT_EQ(nullptr, bytes);
      }
      if (buffer->EndAccess(bmdBufferAccessWrite) == kS_OK) output->DisplayVideoFrameSync(frame);
    }
    buffer->Release();
  }

  // "Next" of "Iterator#6 Next() = 0x00000000 Device#7": the method, without
  // the ids that differ from run to run.
  static std::string callOf(const std::string& line) {
    const size_t start = line.find(' ') + 1;
    return line.substr(start, line.find('(') - start);
  }
};

TEST_F(FailCallTest, EachCallOfTheSequenceFailsInTurn) {
  configure("[device]\nname = A\n");
  runSequence();
  const std::vector<std::string> clean = countedCalls(logLines());
  ASSERT_EQ(11u, clean.size()) << decklink_sim_log();
  ASSERT_EQ(1, decklink_sim_displayed_count());

  for (size_t n = 1; n <= clean.size(); ++n) {
    SCOPED_TRACE("fail_call = " + std::to_string(n));
    configure("[device]\nname = A\n[faults]\nfail_call = " + std::to_string(n) +
              "\nfail_result = E_ABORT\n");
    runSequence();
    const std::vector<std::string> counted = countedCalls(logLines());
    ASSERT_GE(counted.size(), n);
    // The same call as in the clean run, failed instead of done.
    EXPECT_EQ(callOf(clean[n - 1]), callOf(counted[n - 1]));
    EXPECT_THAT(counted[n - 1], HasSubstr(" = 0x80000007 injected"));
    EXPECT_EQ(1u, logLinesWith("injected").size());
    EXPECT_EQ(0, decklink_sim_live_objects()) << decklink_sim_report();
    EXPECT_EQ(0, decklink_sim_misuse_count()) << decklink_sim_report();
    EXPECT_EQ(0, decklink_sim_output_enabled(0, nullptr));
  }
}

TEST_F(FailCallTest, DefaultResultIsEFailAndLaterCallsWork) {
  configure("[device]\nname = A\n[faults]\nfail_call = 1\n");
  IDeckLinkIterator* iterator = CreateDeckLinkIteratorInstance_0004();
  IDeckLink* card = nullptr;
  EXPECT_EQ(kE_FAIL, iterator->Next(&card));
  EXPECT_EQ(nullptr, card);
  // The failed call handed out nothing and did not move the iterator.
  EXPECT_EQ(kS_OK, iterator->Next(&card));
  ASSERT_NE(nullptr, card);
  DeckLinkString name = nullptr;
  EXPECT_EQ(kS_OK, card->GetDisplayName(&name));
  EXPECT_EQ("A", takeDeckLinkString(name));
  card->Release();
  iterator->Release();
}

}  // namespace
