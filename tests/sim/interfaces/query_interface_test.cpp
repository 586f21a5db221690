// QueryInterface on each object: hits hand out a counted reference, misses
// answer E_NOINTERFACE and clear the out-pointer.
#include "support/card_calls.h"
#include "support/sim_test.h"

namespace {

const DeckLinkIID kUnknownIID = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
// The 15.x generation's output interface, which this 16.0 card does not answer.
const DeckLinkIID kOlderOutputIID = {0x1A, 0x80, 0x77, 0xF1, 0x9F, 0xE2, 0x45, 0x33,
                                     0x81, 0x47, 0x22, 0x94, 0x30, 0x5E, 0x25, 0x3F};

class QueryInterfaceTest : public SimTest {
 protected:
  // Expects a miss: E_NOINTERFACE with the out-pointer cleared.
  static void expectMiss(IUnknown* object, const DeckLinkIID& iid) {
    void* out = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(kE_NOINTERFACE, object->QueryInterface(iid, &out));
    EXPECT_EQ(nullptr, out);
  }
  // Expects the object itself, with one more reference.
  static void expectItself(IUnknown* object, const DeckLinkIID& iid) {
    void* out = nullptr;
    EXPECT_EQ(kS_OK, object->QueryInterface(iid, &out));
    EXPECT_EQ(static_cast<void*>(object), out);
    EXPECT_EQ(1u, object->Release());
  }
};

TEST_F(QueryInterfaceTest, DeviceAnswersItsInterfacesAndMissesTheRest) {
  configure("[device]\nname = A\n");
  IDeckLink* card = device(0);
  expectItself(card, IID_IUnknown);
  expectItself(card, IID_IDeckLink);
  for (const DeckLinkIID& iid : {IID_IDeckLinkOutput, IID_IDeckLinkConfiguration}) {
    void* out = nullptr;
    EXPECT_EQ(kS_OK, card->QueryInterface(iid, &out));
    ASSERT_NE(nullptr, out);
    EXPECT_NE(static_cast<void*>(card), out);
    EXPECT_EQ(0u, static_cast<IUnknown*>(out)->Release());
  }
  expectMiss(card, kUnknownIID);
  expectMiss(card, kOlderOutputIID);
  expectMiss(card, IID_IDeckLinkVideoFrame);
  EXPECT_EQ(kE_POINTER, card->QueryInterface(IID_IDeckLink, nullptr));
  EXPECT_EQ(1u, logLinesWith("QueryInterface(IDeckLinkOutput_v15_3_1) = 0x80000004 null").size());
  EXPECT_EQ(1u, logLinesWith("QueryInterface(01020304-0506-0708-090A-0B0C0D0E0F10) = "
                             "0x80000004 null").size());
  EXPECT_EQ(0u, card->Release());
}

TEST_F(QueryInterfaceTest, CardsWithoutOutputOrConfigurationMissThem) {
  configure("[device]\nname = A\noutput = no\nconfiguration = no\n");
  IDeckLink* card = device(0);
  expectMiss(card, IID_IDeckLinkOutput);
  expectMiss(card, IID_IDeckLinkConfiguration);
  card->Release();
}

TEST_F(QueryInterfaceTest, FrameAnswersBothFrameInterfacesAndTheBuffer) {
  configure("[device]\nname = A\n");
  IDeckLinkOutput* output = enabledOutput(bmdModeHD1080p24);
  IDeckLinkMutableVideoFrame* frame = createFrame(output, 1920, 1080);
  expectItself(frame, IID_IUnknown);
  expectItself(frame, IID_IDeckLinkVideoFrame);
  expectItself(frame, IID_IDeckLinkMutableVideoFrame);
  expectMiss(frame, IID_IDeckLinkOutput);
  IDeckLinkVideoBuffer* buffer = bufferOf(frame);
  ASSERT_NE(nullptr, buffer);
  expectItself(buffer, IID_IDeckLinkVideoBuffer);
  expectMiss(buffer, IID_IDeckLinkVideoFrame);
  buffer->Release();
  frame->Release();
  expectItself(output, IID_IDeckLinkOutput);
  output->DisableVideoOutput();
  output->Release();
}

TEST_F(QueryInterfaceTest, BufferNoMakesFramesWithoutBuffers) {
  configure("[device]\nname = A\nbuffer = no\n");
  IDeckLinkOutput* output = enabledOutput(bmdModeHD1080p24);
  IDeckLinkMutableVideoFrame* frame = createFrame(output, 1920, 1080);
  expectMiss(frame, IID_IDeckLinkVideoBuffer);
  frame->Release();
  output->Release();
}

TEST_F(QueryInterfaceTest, IteratorAndConfigurationAnswerThemselves) {
  configure("[device]\nname = A\n");
  IDeckLinkIterator* iterator = CreateDeckLinkIteratorInstance_0004();
  expectItself(iterator, IID_IDeckLinkIterator);
  expectMiss(iterator, IID_IDeckLink);
  iterator->Release();
  IDeckLink* card = device(0);
  void* configuration = nullptr;
  ASSERT_EQ(kS_OK, card->QueryInterface(IID_IDeckLinkConfiguration, &configuration));
  expectItself(static_cast<IUnknown*>(configuration), IID_IDeckLinkConfiguration);
  static_cast<IUnknown*>(configuration)->Release();
  card->Release();
}

}  // namespace
