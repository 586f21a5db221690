// The card's HDR side: the profile attributes that say what it carries,
// the frames' metadata extensions, and the metadata each display records.
#include "support/card_calls.h"
#include "support/sim_test.h"

namespace {

using ::testing::EndsWith;

class HdrInterfacesTest : public SimTest {
 protected:
  void TearDown() override {
    if (output != nullptr) {
      output->DisableVideoOutput();
      output->Release();
    }
    SimTest::TearDown();
  }

  // The three answers the program asks for, from card 0.
  struct Answers {
    bool hdr = false;
    bool colourSpace = false;
    int64_t ranges = -1;
  };
  static Answers askCard() {
    Answers answers;
    IDeckLink* card = device(0);
    IDeckLinkProfileAttributes* attributes = attributesOf(card);
    EXPECT_EQ(kS_OK, attributes->GetFlag(BMDDeckLinkSupportsHDRMetadata, &answers.hdr));
    EXPECT_EQ(kS_OK,
              attributes->GetFlag(BMDDeckLinkSupportsColorspaceMetadata, &answers.colourSpace));
    EXPECT_EQ(kS_OK, attributes->GetInt(BMDDeckLinkSupportedDynamicRange, &answers.ranges));
    attributes->Release();
    card->Release();
    return answers;
  }

  // A frame of card 0, enabled at HD.
  IDeckLinkMutableVideoFrame* heldFrame() {
    output = enabledOutput(bmdModeHD1080p24);
    return createFrame(output, 1920, 1080);
  }

  IDeckLinkOutput* output = nullptr;
};

TEST_F(HdrInterfacesTest, ProfileAttributesFollowTheHdrKey) {
  const struct {
    const char* setting;
    bool hdr;
    int64_t ranges;
  } cases[] = {
      {"", true, 0x60000000},
      {"hdr = yes\n", true, 0x60000000},
      {"hdr = pq\n", true, 0x20000000},
      {"hdr = hlg\n", true, 0x40000000},
      {"hdr = no\n", false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.setting);
    configure(std::string("[device]\nname = A\n") + c.setting);
    const Answers answers = askCard();
    EXPECT_EQ(c.hdr, answers.hdr);
    EXPECT_EQ(c.hdr, answers.colourSpace);
    EXPECT_EQ(c.ranges, answers.ranges);
  }
  EXPECT_EQ(1u, logLinesWith("GetFlag(hdrm) = 0x00000000 false").size());
  EXPECT_EQ(1u, logLinesWith("GetInt(sudr) = 0x00000000 0x0").size());
}

TEST_F(HdrInterfacesTest, ProfileAttributesCanBeMissingAndOtherIdsAreNotSimulated) {
  configure("[device]\nname = A\nprofile_attributes = no\n[device]\nname = B\n");
  IDeckLink* card = device(0);
  void* attributes = reinterpret_cast<void*>(0x1);
  EXPECT_EQ(kE_NOINTERFACE, card->QueryInterface(IID_IDeckLinkProfileAttributes, &attributes));
  EXPECT_EQ(nullptr, attributes);
  card->Release();
  card = device(1);
  IDeckLinkProfileAttributes* answering = attributesOf(card);
  bool flag = true;
  int64_t number = 1;
  EXPECT_EQ(kE_NOTIMPL, answering->GetFlag(fourCC("dupx"), &flag));
  EXPECT_FALSE(flag);
  EXPECT_EQ(kE_NOTIMPL, answering->GetInt(fourCC("mxch"), &number));
  EXPECT_EQ(0, number);
  EXPECT_EQ(kE_POINTER, answering->GetFlag(BMDDeckLinkSupportsHDRMetadata, nullptr));
  answering->Release();
  card->Release();
}

TEST_F(HdrInterfacesTest, MetadataIsSetAndReadBackByIdAndKind) {
  configure("[device]\nname = A\n");
  IDeckLinkMutableVideoFrame* frame = heldFrame();
  IDeckLinkVideoFrameMutableMetadataExtensions* metadata = metadataOf(frame);
  EXPECT_EQ(kS_OK, metadata->SetInt(bmdDeckLinkFrameMetadataHDRElectroOpticalTransferFunc, 2));
  EXPECT_EQ(kS_OK, metadata->SetFloat(bmdDeckLinkFrameMetadataHDRMinDisplayMasteringLuminance,
                                      0.0001));
  // The other kind, and an id the card does not keep, are refused.
  EXPECT_EQ(kE_INVALIDARG, metadata->SetFloat(bmdDeckLinkFrameMetadataColorspace, 1.0));
  EXPECT_EQ(kE_INVALIDARG, metadata->SetInt(bmdDeckLinkFrameMetadataHDRWhitePointX, 1));
  EXPECT_EQ(kE_INVALIDARG, metadata->SetInt(fourCC("dovi"), 1));

  // The read-only interface of the same frame sees the same record.
  void* readOnly = nullptr;
  ASSERT_EQ(kS_OK, frame->QueryInterface(IID_IDeckLinkVideoFrameMetadataExtensions, &readOnly));
  auto* reader = static_cast<IDeckLinkVideoFrameMetadataExtensions*>(readOnly);
  int64_t eotf = 0;
  double minimum = 0;
  EXPECT_EQ(kS_OK, reader->GetInt(bmdDeckLinkFrameMetadataHDRElectroOpticalTransferFunc, &eotf));
  EXPECT_EQ(2, eotf);
  EXPECT_EQ(kS_OK,
            reader->GetFloat(bmdDeckLinkFrameMetadataHDRMinDisplayMasteringLuminance, &minimum));
  EXPECT_EQ(0.0001, minimum);
  EXPECT_EQ(kE_INVALIDARG, reader->GetInt(bmdDeckLinkFrameMetadataColorspace, &eotf));
  EXPECT_EQ(0, eotf);
  EXPECT_EQ(kE_POINTER,
            reader->GetFloat(bmdDeckLinkFrameMetadataHDRMinDisplayMasteringLuminance, nullptr));
  EXPECT_EQ(kE_NOTIMPL, metadata->SetFlag(fourCC("eotf"), true));
  reader->Release();
  metadata->Release();
  frame->Release();
  EXPECT_EQ(1u, logLinesWith("SetInt(eotf 2) = 0x00000000").size());
  EXPECT_EQ(1u, logLinesWith("SetFloat(hmil 0.0001) = 0x00000000").size());
}

TEST_F(HdrInterfacesTest, MetadataRefusedOrItsSetsFailing) {
  configure(
      "[device]\nname = A\nmetadata = no\n"
      "[device]\nname = B\nmetadata_set = E_FAIL\n"
      "[device]\nname = C\nmetadata_set.hdml = E_OUTOFMEMORY\n");
  IDeckLinkMutableVideoFrame* frame = heldFrame();
  for (const DeckLinkIID& iid : {IID_IDeckLinkVideoFrameMetadataExtensions,
                                 IID_IDeckLinkVideoFrameMutableMetadataExtensions}) {
    void* out = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(kE_NOINTERFACE, frame->QueryInterface(iid, &out));
    EXPECT_EQ(nullptr, out);
  }
  frame->Release();
  // The other cards' frames answer, and fail their Sets as set up.
  for (int card = 1; card <= 2; ++card) {
    IDeckLink* device1 = device(card);
    IDeckLinkOutput* other = outputOf(device1);
    device1->Release();
    ASSERT_EQ(kS_OK, other->EnableVideoOutput(bmdModeHD1080p24, 0));
    IDeckLinkMutableVideoFrame* otherFrame = createFrame(other, 1920, 1080);
    IDeckLinkVideoFrameMutableMetadataExtensions* metadata = metadataOf(otherFrame);
    const HRESULT expectedEotf = card == 1 ? kE_FAIL : kS_OK;
    const HRESULT expectedMax = card == 1 ? kE_FAIL : kE_OUTOFMEMORY;
    EXPECT_EQ(expectedEotf,
              metadata->SetInt(bmdDeckLinkFrameMetadataHDRElectroOpticalTransferFunc, 3));
    EXPECT_EQ(expectedMax,
              metadata->SetFloat(bmdDeckLinkFrameMetadataHDRMaxDisplayMasteringLuminance, 1000));
    double kept = 5;
    EXPECT_EQ(kE_INVALIDARG,
              metadata->GetFloat(bmdDeckLinkFrameMetadataHDRMaxDisplayMasteringLuminance, &kept));
    metadata->Release();
    otherFrame->Release();
    other->DisableVideoOutput();
    other->Release();
  }
}

TEST_F(HdrInterfacesTest, EachDisplayRecordsTheFramesMetadata) {
  configure("[device]\nname = A\n");
  IDeckLinkMutableVideoFrame* frame = heldFrame();
  // A plain frame: its line as it always was, and an empty record.
  ASSERT_EQ(kS_OK, output->DisplayVideoFrameSync(frame));
  EXPECT_THAT(logLinesWith("DisplayVideoFrameSync").back(), EndsWith(") = 0x00000000"));
  EXPECT_EQ(CarriedMetadata(), lastMetadata());

  IDeckLinkVideoFrameMutableMetadataExtensions* metadata = metadataOf(frame);
  // Set out of the card's order of ids: the record lists them in its order.
  EXPECT_EQ(kS_OK, metadata->SetFloat(bmdDeckLinkFrameMetadataHDRDisplayPrimariesRedX, 0.708));
  EXPECT_EQ(kS_OK, metadata->SetInt(bmdDeckLinkFrameMetadataHDRElectroOpticalTransferFunc, 2));
  EXPECT_EQ(kS_OK, metadata->SetInt(bmdDeckLinkFrameMetadataColorspace, bmdColorspaceRec2020));
  EXPECT_EQ(kS_OK, frame->SetFlags(frame->GetFlags() | bmdFrameContainsHDRMetadata));
  metadata->Release();
  ASSERT_EQ(kS_OK, output->DisplayVideoFrameSync(frame));
  EXPECT_THAT(logLinesWith("DisplayVideoFrameSync").back(),
              EndsWith(") = 0x00000000 flags=0x2 cspc=2020 eotf=2 hdrx=0.708"));
  EXPECT_EQ((CarriedMetadata{0x2, {{"cspc", 0x32303230}, {"eotf", 2}, {"hdrx", 0.708}}}),
            lastMetadata());
  decklink_sim_frame_metadata raw = {};
  ASSERT_EQ(1, decklink_sim_last_metadata(&raw));
  ASSERT_EQ(3, raw.count);
  EXPECT_EQ(0, raw.values[1].is_float);
  EXPECT_EQ(1, raw.values[2].is_float);
  frame->Release();

  // A configure forgets the record.
  output->Release();
  output = nullptr;
  configure("[device]\nname = A\n");
  EXPECT_EQ(0, decklink_sim_last_metadata(&raw));
}

}  // namespace
