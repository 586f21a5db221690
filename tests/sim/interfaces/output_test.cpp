// The output's mode calls: probing, enabling and disabling, row sizes, and
// the 4:4:4 flag.
#include "support/card_calls.h"
#include "support/sim_test.h"

namespace {

const BMDDisplayMode kModes[] = {bmdModeHD1080p24, bmdMode4K2160p24, bmdMode4kDCI24};

class OutputModeTest : public SimTest {
 protected:
  void SetUp() override { configure("[device]\nname = A\nmodes = hd 4k\n"); }
  void TearDown() override {
    if (output != nullptr) output->Release();
    SimTest::TearDown();
  }

  IDeckLinkOutput* cardOutput() {
    IDeckLink* card = device(0);
    output = outputOf(card);
    card->Release();
    return output;
  }

  HRESULT probe(BMDDisplayMode mode, BMDPixelFormat format, bool* supported,
                BMDDisplayMode* actual) {
    *supported = !*supported;  // must be overwritten
    return output->DoesSupportVideoMode(0, mode, format, bmdNoVideoOutputConversion,
                                        bmdSupportedVideoModeDefault, actual, supported);
  }

  IDeckLinkOutput* output = nullptr;
};

TEST_F(OutputModeTest, SupportsOnlyItsModesInR210) {
  cardOutput();
  const bool expected[] = {true, false, true};
  for (int i = 0; i < 3; ++i) {
    bool supported = !expected[i];
    BMDDisplayMode actual = 0;
    EXPECT_EQ(kS_OK, probe(kModes[i], bmdFormat10BitRGB, &supported, &actual));
    EXPECT_EQ(expected[i], supported) << i;
    if (expected[i]) {
      EXPECT_EQ(kModes[i], actual);
    }
    supported = true;
    EXPECT_EQ(kS_OK, probe(kModes[i], fourCC("v210"), &supported, &actual));
    EXPECT_FALSE(supported) << i;
  }
  bool supported = true;
  EXPECT_EQ(kS_OK, probe(fourCC("Hp50"), bmdFormat10BitRGB, &supported, nullptr));
  EXPECT_FALSE(supported);
  EXPECT_EQ(1u, logLinesWith("DoesSupportVideoMode(conn=0 mode=24ps fmt=r210 conv=none flags=0) "
                             "= 0x00000000 supported=yes")
                    .size());
}

TEST_F(OutputModeTest, ProbeOverridesReplaceResultAndFlag) {
  ASSERT_EQ(0, decklink_sim_set(0, "probe.hd = E_FAIL yes"));
  ASSERT_EQ(0, decklink_sim_set(0, "probe.uhd = S_OK yes"));
  ASSERT_EQ(0, decklink_sim_set(0, "probe.4k = S_FALSE no"));
  cardOutput();
  bool supported = false;
  BMDDisplayMode actual = 0;
  EXPECT_EQ(kE_FAIL, probe(bmdModeHD1080p24, bmdFormat10BitRGB, &supported, &actual));
  EXPECT_TRUE(supported);
  EXPECT_EQ(kS_OK, probe(bmdMode4K2160p24, bmdFormat10BitRGB, &supported, &actual));
  EXPECT_TRUE(supported);
  EXPECT_EQ(kS_FALSE, probe(bmdMode4kDCI24, bmdFormat10BitRGB, &supported, &actual));
  EXPECT_FALSE(supported);
}

// The FourCCs of every mode, resolution after resolution, each at 23.98,
// 24, 25, 29.97, 30, 50, 59.94 and 60.
const char* const kEveryMode[] = {
    "23ps", "24ps", "Hp25", "Hp29", "Hp30", "Hp50", "Hp59", "Hp60",
    "4k23", "4k24", "4k25", "4k29", "4k30", "4k50", "4k59", "4k60",
    "4d23", "4d24", "4d25", "4d29", "4d30", "4d50", "4d59", "4d60",
};

BMDDisplayMode code(const char* letters) {
  return (uint32_t(uint8_t(letters[0])) << 24) | (uint32_t(uint8_t(letters[1])) << 16) |
         (uint32_t(uint8_t(letters[2])) << 8) | uint32_t(uint8_t(letters[3]));
}

TEST_F(OutputModeTest, RatesAreModesOfTheirOwn) {
  const struct {
    const char* modes;
    const char* offered;  // one letter per mode of kEveryMode: y offered, n not
  } cards[] = {
      {"hd@59.94 uhd@*", "nnnnnnyn" "yyyyyyyy" "nnnnnnnn"},
      {"hd hd@24 4k@23.98 4k@60", "nynnnnnn" "nnnnnnnn" "ynnnnnny"},
      {"none", "nnnnnnnn" "nnnnnnnn" "nnnnnnnn"},
  };
  for (const auto& card : cards) {
    SCOPED_TRACE(card.modes);
    configure(std::string("[device]\nname = A\nmodes = ") + card.modes + "\n");
    cardOutput();
    for (int i = 0; i < 24; ++i) {
      bool supported = card.offered[i] != 'y';
      BMDDisplayMode actual = 0;
      EXPECT_EQ(kS_OK, probe(code(kEveryMode[i]), bmdFormat10BitRGB, &supported, &actual));
      EXPECT_EQ(card.offered[i] == 'y', supported) << kEveryMode[i];
      EXPECT_EQ(card.offered[i] == 'y' ? kS_OK : kE_INVALIDARG,
                output->EnableVideoOutput(code(kEveryMode[i]), 0))
          << kEveryMode[i];
      output->DisableVideoOutput();
    }
    output->Release();
    output = nullptr;
  }
}

TEST_F(OutputModeTest, ACardWithoutModesKeyOffersEveryRate) {
  configure("[device]\nname = A\n");
  cardOutput();
  for (const char* mode : kEveryMode) {
    bool supported = false;
    BMDDisplayMode actual = 0;
    EXPECT_EQ(kS_OK, probe(code(mode), bmdFormat10BitRGB, &supported, &actual));
    EXPECT_TRUE(supported) << mode;
  }
}

TEST_F(OutputModeTest, FaultsOfOneRateLeaveTheOtherRates) {
  configure(
      "[device]\nname = A\nprobe.hd@59.94 = E_FAIL yes\nenable.uhd@50 = E_ABORT\n"
      "create_frame.uhd@60 = E_OUTOFMEMORY\n");
  cardOutput();
  bool supported = false;
  BMDDisplayMode actual = 0;
  EXPECT_EQ(kE_FAIL, probe(code("Hp59"), bmdFormat10BitRGB, &supported, &actual));
  EXPECT_EQ(kS_OK, probe(code("Hp60"), bmdFormat10BitRGB, &supported, &actual));
  EXPECT_EQ(kS_OK, probe(bmdModeHD1080p24, bmdFormat10BitRGB, &supported, &actual));
  EXPECT_EQ(kE_ABORT, output->EnableVideoOutput(code("4k50"), 0));
  // A frame's fault follows the enabled mode of its size: uhd@60's applies
  // while the card shows uhd@60, and not at uhd.
  IDeckLinkMutableVideoFrame* frame = nullptr;
  ASSERT_EQ(kS_OK, output->EnableVideoOutput(code("4k60"), 0));
  EXPECT_EQ(kE_OUTOFMEMORY,
            output->CreateVideoFrame(3840, 2160, 15360, bmdFormat10BitRGB, 0, &frame));
  EXPECT_EQ(nullptr, frame);
  output->DisableVideoOutput();
  ASSERT_EQ(kS_OK, output->EnableVideoOutput(bmdMode4K2160p24, 0));
  ASSERT_EQ(kS_OK, output->CreateVideoFrame(3840, 2160, 15360, bmdFormat10BitRGB, 0, &frame));
  EXPECT_EQ(kS_OK, output->DisplayVideoFrameSync(frame));
  frame->Release();
  output->DisableVideoOutput();
}

TEST_F(OutputModeTest, EnableHoldsTheCardUntilDisable) {
  cardOutput();
  uint32_t mode = 0;
  EXPECT_EQ(0, decklink_sim_output_enabled(0, &mode));
  EXPECT_EQ(kS_OK, output->EnableVideoOutput(bmdMode4kDCI24, bmdVideoOutputFlagDefault));
  EXPECT_EQ(1, decklink_sim_output_enabled(0, &mode));
  EXPECT_EQ(bmdMode4kDCI24, mode);
  // Enabled is enabled, whichever output object asks again.
  IDeckLinkOutput* first = output;
  IDeckLinkOutput* second = cardOutput();
  EXPECT_EQ(kE_ACCESSDENIED, second->EnableVideoOutput(bmdModeHD1080p24, 0));
  EXPECT_EQ(1u, logLinesWith("= 0x80000009 already-enabled").size());
  EXPECT_EQ(kS_OK, second->DisableVideoOutput());
  EXPECT_EQ(0, decklink_sim_output_enabled(0, &mode));
  EXPECT_EQ(kS_OK, second->DisableVideoOutput());  // also when not enabled
  EXPECT_EQ(kS_OK, first->EnableVideoOutput(bmdModeHD1080p24, 0));
  EXPECT_EQ(kS_OK, first->DisableVideoOutput());
  first->Release();
}

TEST_F(OutputModeTest, EnableRefusesModesTheCardDoesNotHave) {
  cardOutput();
  EXPECT_EQ(kE_INVALIDARG, output->EnableVideoOutput(bmdMode4K2160p24, 0));
  EXPECT_EQ(kE_INVALIDARG, output->EnableVideoOutput(fourCC("Hp50"), 0));
  EXPECT_EQ(0, decklink_sim_output_enabled(0, nullptr));
}

TEST_F(OutputModeTest, ConfiguredEnableResultIsReturnedAndEnablesNothing) {
  ASSERT_EQ(0, decklink_sim_set(0, "enable.hd = 0x80000009"));
  ASSERT_EQ(0, decklink_sim_set(0, "enable.4k = S_FALSE"));
  cardOutput();
  EXPECT_EQ(kE_ACCESSDENIED, output->EnableVideoOutput(bmdModeHD1080p24, 0));
  EXPECT_EQ(kS_FALSE, output->EnableVideoOutput(bmdMode4kDCI24, 0));
  EXPECT_EQ(0, decklink_sim_output_enabled(0, nullptr));
}

TEST_F(OutputModeTest, ReleasingTheEnablingOutputEndsTheOutput) {
  cardOutput();
  ASSERT_EQ(kS_OK, output->EnableVideoOutput(bmdModeHD1080p24, 0));
  EXPECT_EQ(0u, output->Release());
  output = nullptr;
  EXPECT_EQ(0, decklink_sim_output_enabled(0, nullptr));
  EXPECT_EQ(1u, logLinesWith("Release() = 0 disabled-output").size());
}

TEST_F(OutputModeTest, RowBytesAreWhole64PixelBlocksPlusPadding) {
  cardOutput();
  const struct {
    int32_t width;
    int32_t rowBytes;
  } cases[] = {{1920, 7680}, {3840, 15360}, {4096, 16384}, {1, 256}, {65, 512}};
  for (const auto& c : cases) {
    int32_t rowBytes = 0;
    EXPECT_EQ(kS_OK, output->RowBytesForPixelFormat(bmdFormat10BitRGB, c.width, &rowBytes));
    EXPECT_EQ(c.rowBytes, rowBytes) << c.width;
  }
  EXPECT_EQ(1u, logLinesWith("RowBytesForPixelFormat(fmt=r210 width=1920) = 0x00000000 7680")
                    .size());
  int32_t rowBytes = 0;
  EXPECT_EQ(kE_INVALIDARG, output->RowBytesForPixelFormat(fourCC("v210"), 1920, &rowBytes));
  EXPECT_EQ(kE_INVALIDARG, output->RowBytesForPixelFormat(bmdFormat10BitRGB, 0, &rowBytes));
  EXPECT_EQ(kE_POINTER, output->RowBytesForPixelFormat(bmdFormat10BitRGB, 1920, nullptr));
  ASSERT_EQ(0, decklink_sim_set(0, "row_padding = 128"));
  EXPECT_EQ(kS_OK, output->RowBytesForPixelFormat(bmdFormat10BitRGB, 1920, &rowBytes));
  EXPECT_EQ(7680 + 128, rowBytes);
}

TEST_F(OutputModeTest, AnnouncedRowBytesAreHandedOutEvenWhenShort) {
  configure("[device]\nrow_bytes = 7000\n");
  cardOutput();
  int32_t rowBytes = 0;
  EXPECT_EQ(kS_OK, output->RowBytesForPixelFormat(bmdFormat10BitRGB, 1920, &rowBytes));
  EXPECT_EQ(7000, rowBytes);
  ASSERT_EQ(kS_OK, output->EnableVideoOutput(bmdModeHD1080p24, 0));
  IDeckLinkMutableVideoFrame* frame = nullptr;
  EXPECT_EQ(kS_OK, output->CreateVideoFrame(1920, 1080, 7000, bmdFormat10BitRGB, 0, &frame));
  ASSERT_NE(nullptr, frame);
  EXPECT_EQ(7000, frame->GetRowBytes());
  frame->Release();
  EXPECT_EQ(kE_INVALIDARG, output->CreateVideoFrame(1920, 1080, 0, bmdFormat10BitRGB, 0, &frame));
}

TEST_F(OutputModeTest, ASlowDisableStillDisables) {
  configure("[device]\ndisable_delay_ms = 30\n");
  cardOutput();
  ASSERT_EQ(kS_OK, output->EnableVideoOutput(bmdModeHD1080p24, 0));
  EXPECT_EQ(kS_OK, output->DisableVideoOutput());
  EXPECT_EQ(0, decklink_sim_output_enabled(0, nullptr));
}

TEST_F(OutputModeTest, The444FlagIsRecordedPerCard) {
  IDeckLink* card = device(0);
  void* out = nullptr;
  ASSERT_EQ(kS_OK, card->QueryInterface(IID_IDeckLinkConfiguration, &out));
  auto* configuration = static_cast<IDeckLinkConfiguration*>(out);
  int value = -1;
  EXPECT_EQ(0, decklink_sim_config_flag(0, bmdDeckLinkConfig444SDIVideoOutput, &value));
  EXPECT_EQ(kS_OK, configuration->SetFlag(bmdDeckLinkConfig444SDIVideoOutput, true));
  EXPECT_EQ(1, decklink_sim_config_flag(0, bmdDeckLinkConfig444SDIVideoOutput, &value));
  EXPECT_EQ(1, value);
  EXPECT_EQ(1u, logLinesWith("SetFlag(444o true) = 0x00000000").size());
  EXPECT_EQ(kE_NOTIMPL, configuration->SetFlag(fourCC("xxxx"), true));
  EXPECT_EQ(0, decklink_sim_config_flag(0, fourCC("xxxx"), &value));
  EXPECT_EQ(kE_NOTIMPL, configuration->WriteConfigurationToPreferences());
  configuration->Release();
  card->Release();
}

}  // namespace
