// Reference accounting: leaks and over-releases are both reported, calls
// through released objects are misuse, and a clean run reports nothing.
#include <cstdint>

#include "decklink/display_name.h"
#include "support/card_calls.h"
#include "support/sim_test.h"

namespace {

using ::testing::HasSubstr;

class ReferenceAccountingTest : public SimTest {
 protected:
  void SetUp() override { configure("[device]\nname = A\n"); }
};

TEST_F(ReferenceAccountingTest, ACleanSequenceReportsNothing) {
  IDeckLinkOutput* output = enabledOutput(bmdModeHD1080p24);
  IDeckLinkMutableVideoFrame* frame = createFrame(output, 1920, 1080);
  IDeckLinkVideoBuffer* buffer = bufferOf(frame);
  EXPECT_EQ(2u, buffer->AddRef());
  EXPECT_EQ(1u, buffer->Release());
  buffer->StartAccess(bmdBufferAccessWrite);
  void* bytes = nullptr;
  buffer->GetBytes(&bytes);
  buffer->EndAccess(bmdBufferAccessWrite);
  EXPECT_EQ(0u, buffer->Release());
  EXPECT_EQ(kS_OK, output->DisplayVideoFrameSync(frame));
  EXPECT_EQ(0u, frame->Release());
  output->DisableVideoOutput();
  EXPECT_EQ(0u, output->Release());
  EXPECT_EQ(0, decklink_sim_live_objects());
  EXPECT_EQ(0, decklink_sim_over_releases());
  EXPECT_EQ(0, decklink_sim_misuse_count());
  EXPECT_STREQ("", decklink_sim_report());
}

TEST_F(ReferenceAccountingTest, ALeakIsReportedWithItsCount) {
  IDeckLink* card = device(0);
  card->AddRef();
  EXPECT_EQ(1, decklink_sim_live_objects());
  const std::string label = "Device#" + std::to_string(lastObjectId(logLinesWith("Next()")[0]));
  EXPECT_EQ(label + " never released (count 2)\n", std::string(decklink_sim_report()));
  card->Release();
  card->Release();
  EXPECT_STREQ("", decklink_sim_report());
}

TEST_F(ReferenceAccountingTest, AnOverReleaseIsReportedAndTouchesNothing) {
  expectOverReleasesAtEnd(1);
  IDeckLink* card = device(0);
  EXPECT_EQ(0u, card->Release());
  EXPECT_EQ(0u, card->Release());  // the object is a zombie, not freed memory
  EXPECT_EQ(1, decklink_sim_over_releases());
  EXPECT_EQ(0, decklink_sim_live_objects());
  EXPECT_EQ(1u, logLinesWith("Release() = OVER").size());
  EXPECT_THAT(decklink_sim_report(), HasSubstr("released past zero"));
}

TEST_F(ReferenceAccountingTest, CallsThroughAReleasedObjectAreMisuse) {
  expectMisusesAtEnd(3);
  IDeckLink* card = device(0);
  IDeckLinkOutput* output = outputOf(card);
  card->Release();
  output->Release();
  DeckLinkString name = reinterpret_cast<DeckLinkString>(uintptr_t{1});
  EXPECT_EQ(kE_FAIL, card->GetDisplayName(&name));
  EXPECT_EQ(nullptr, name);
  EXPECT_EQ(kE_FAIL, output->EnableVideoOutput(bmdModeHD1080p24, 0));
  EXPECT_EQ(0u, card->AddRef());  // a zombie is not revived
  EXPECT_EQ(3, decklink_sim_misuse_count());
  EXPECT_EQ(3u, logLinesWith("call after its final Release").size());
  EXPECT_EQ(0, decklink_sim_output_enabled(0, nullptr));
}

TEST_F(ReferenceAccountingTest, QueryInterfaceHitsAreCountedReferences) {
  IDeckLink* card = device(0);
  void* same = nullptr;
  ASSERT_EQ(kS_OK, card->QueryInterface(IID_IDeckLink, &same));
  EXPECT_EQ(1, decklink_sim_live_objects());
  EXPECT_EQ(1u, card->Release());
  IDeckLinkOutput* output = outputOf(card);
  EXPECT_EQ(2, decklink_sim_live_objects());
  output->Release();
  card->Release();
  EXPECT_EQ(0, decklink_sim_live_objects());
}

TEST_F(ReferenceAccountingTest, ConfigureStopsCountingEarlierObjects) {
  IDeckLink* leaked = device(0);
  ASSERT_EQ(1, decklink_sim_live_objects());
  configure("[device]\nname = B\n");
  EXPECT_EQ(0, decklink_sim_live_objects());
  EXPECT_STREQ("", decklink_sim_report());
  // Still a valid object: its calls work and are logged.
  DeckLinkString name = nullptr;
  EXPECT_EQ(kS_OK, leaked->GetDisplayName(&name));
  EXPECT_EQ("A", takeDeckLinkString(name));
  EXPECT_EQ(0u, leaked->Release());
  EXPECT_EQ(0, decklink_sim_live_objects());
}

}  // namespace

namespace {

// A long session hands out objects without end; the card keeps only the
// most recently released ones as zombies, and still recognises the frame it
// is showing.
TEST_F(ReferenceAccountingTest, ALongSessionKeepsWorkingWithBoundedZombies) {
  expectOverReleasesAtEnd(1);
  configure("[device]\nname = A\n[log]\nmemory = no\n");
  IDeckLinkOutput* output = enabledOutput(bmdModeHD1080p24);
  IDeckLinkMutableVideoFrame* frame = createFrame(output, 1920, 1080);
  for (int i = 0; i < 10000; ++i) {
    void* buffer = nullptr;
    ASSERT_EQ(kS_OK, frame->QueryInterface(IID_IDeckLinkVideoBuffer, &buffer));
    static_cast<IDeckLinkVideoBuffer*>(buffer)->Release();
  }
  EXPECT_EQ(kS_OK, output->DisplayVideoFrameSync(frame));
  // A recent zombie still catches a late Release.
  void* buffer = nullptr;
  ASSERT_EQ(kS_OK, frame->QueryInterface(IID_IDeckLinkVideoBuffer, &buffer));
  auto* late = static_cast<IDeckLinkVideoBuffer*>(buffer);
  late->Release();
  late->Release();
  EXPECT_EQ(1, decklink_sim_over_releases());
  frame->Release();
  output->DisableVideoOutput();
  output->Release();
  EXPECT_EQ(0, decklink_sim_live_objects()) << decklink_sim_report();
}

}  // namespace
