// HDR and colour signalling on the held frame: on, off and changed, asked
// of the card first, refused by the frame or failing at a Set, shown again
// at once, and carried over a resolution switch; the values as the card
// recorded them.
#include "decklink/device_hold.h"
#include "render/show_picture.h"
#include "support/hdr10_metadata.h"
#include "support/held_device_test.h"

namespace {

// The metadata of HDR10 with its common defaults, as the card records it.
const CarriedMetadata kPqDefaults = hdr10Rec2020();

class HeldSignallingTest : public HeldDeviceTest {
 protected:
  std::string signal(const Signalling& wanted) {
    message = "";
    return codeOf(setSignalling(wanted), &message);
  }
  // Paints and shows a patch, so that the frame holds a shown picture.
  static void showSomething() {
    PatchRect rect;
    ASSERT_EQ("", showPatch(940, 940, 940, 64, 64, 64, 10, &rect).text());
  }
  static void set(const char* line) { ASSERT_EQ(0, decklink_sim_set(0, line)) << line; }

  std::string message;
};

TEST_F(HeldSignallingTest, PqOnAShownPictureShowsItAgainWithTheMetadata) {
  configureAndOpen("[device]\nname = A\n", "hd");
  showSomething();
  EXPECT_EQ(CarriedMetadata(), lastMetadata());
  ASSERT_EQ("", signal(signallingFor(Eotf::kPq))) << message;
  EXPECT_EQ(2, decklink_sim_displayed_count());
  EXPECT_EQ(kPqDefaults, lastMetadata());
  EXPECT_EQ(Eotf::kPq, gSignalling.eotf);
  EXPECT_EQ(1u, logLinesWith("GetFlag(hdrm) = 0x00000000 true").size());
  EXPECT_EQ(1u, logLinesWith("GetInt(sudr)").size());
}

TEST_F(HeldSignallingTest, AFrameNeverShownIsNotShownBySignalling) {
  configureAndOpen("[device]\nname = A\n", "hd");
  ASSERT_EQ("", signal(signallingFor(Eotf::kPq))) << message;
  EXPECT_EQ(0, decklink_sim_displayed_count());
  // The next picture carries it.
  showSomething();
  EXPECT_EQ(kPqDefaults, lastMetadata());
}

TEST_F(HeldSignallingTest, ChangedHlgAndBackToSdr) {
  configureAndOpen("[capture]\nmemory = yes\n[device]\nname = A\n", "uhd");
  showSomething();
  Signalling bright = signallingFor(Eotf::kPq);
  bright.primaries = Primaries::kP3D65;
  bright.maxLuminance = 4000;
  bright.minLuminance = 50;
  bright.maxCll = 4000;
  bright.maxFall = 1000;
  ASSERT_EQ("", signal(bright)) << message;
  EXPECT_EQ(hdr10P3({4000, 0.005, 4000, 1000}), lastMetadata());

  // HLG after PQ: a new frame with the same picture, the colour space and
  // the EOTF, and none of PQ's values.
  ASSERT_EQ("", signal(signallingFor(Eotf::kHlg))) << message;
  EXPECT_EQ((CarriedMetadata{0x2, {{"cspc", 0x32303230}, {"eotf", 3}}}), lastMetadata());

  // SDR in Rec.709: a frame without metadata, as every open starts.
  ASSERT_EQ("", signal(signallingFor(Eotf::kSdr))) << message;
  EXPECT_EQ(CarriedMetadata(), lastMetadata());
  EXPECT_EQ(4, decklink_sim_displayed_count());
  EXPECT_EQ((940u << 20) | (940u << 10) | 940u, lastFrame().word(1920, 1080));

  // Plain SDR again: nothing to do, no call.
  clearLog();
  ASSERT_EQ("", signal(signallingFor(Eotf::kSdr))) << message;
  EXPECT_TRUE(logLines().empty());
}

TEST_F(HeldSignallingTest, CardsThatCannotCarryItAreAskedFirstAndNothingChanges) {
  const struct {
    const char* card;
    Signalling wanted;
    const char* why;
  } cases[] = {
      {"hdr = no\n", signallingFor(Eotf::kPq), "device cannot carry HDR metadata"},
      {"hdr = no\n", signallingFor(Eotf::kHlg), "device cannot carry HDR metadata"},
      {"hdr = pq\n", signallingFor(Eotf::kHlg), "device cannot output HLG"},
      {"hdr = hlg\n", signallingFor(Eotf::kPq), "device cannot output PQ (SMPTE ST 2084)"},
      {"hdr = no\n", Signalling{Eotf::kSdr, ColourSpace::kRec2020},
       "device cannot carry colour space metadata"},
      {"profile_attributes = no\n", signallingFor(Eotf::kPq),
       "device cannot carry HDR metadata (it does not answer what it supports)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    configureAndOpen(std::string("[device]\nname = A\n") + c.card, "hd");
    showSomething();
    EXPECT_EQ("unsupported", signal(c.wanted));
    EXPECT_EQ(c.why, message);
    EXPECT_TRUE(isPlain(gSignalling));
    EXPECT_TRUE(logLinesWith("Metadata").empty());
    EXPECT_EQ(1, decklink_sim_displayed_count());
    closeDevice();
  }
  // Plain SDR needs no question, whatever the card.
  configureAndOpen("[device]\nname = A\nhdr = no\nprofile_attributes = no\n", "hd");
  EXPECT_EQ("", signal(signallingFor(Eotf::kSdr))) << message;
}

TEST_F(HeldSignallingTest, RefusedInterfaceKeepsThePreviousSignalling) {
  configureAndOpen("[device]\nname = A\n", "hd");
  showSomething();
  ASSERT_EQ("", signal(signallingFor(Eotf::kPq))) << message;
  set("metadata = no");
  EXPECT_EQ("failed", signal(signallingFor(Eotf::kHlg)));
  EXPECT_EQ("the frame refused its metadata interface (E_NOINTERFACE); previous signalling kept",
            message);
  EXPECT_EQ(Eotf::kPq, gSignalling.eotf);
  showSomething();
  EXPECT_EQ(kPqDefaults, lastMetadata());
}

TEST_F(HeldSignallingTest, AFailingSetKeepsThePreviousFrameAndSignalling) {
  configureAndOpen("[device]\nname = A\n", "hd");
  showSomething();
  ASSERT_EQ("", signal(signallingFor(Eotf::kPq))) << message;
  set("metadata_set.hdml = E_FAIL");
  Signalling brighter = signallingFor(Eotf::kPq);
  brighter.primaries = Primaries::kP3D65;
  brighter.maxLuminance = 4000;
  EXPECT_EQ("failed", signal(brighter));
  // The values before the refused one went onto the new frame, which is
  // dropped: the held frame was never written.
  EXPECT_EQ("the card refused the maximum mastering luminance (E_FAIL); previous signalling kept",
            message);
  EXPECT_EQ(1000, gSignalling.maxLuminance);
  showSomething();
  EXPECT_EQ(kPqDefaults, lastMetadata());
}

TEST_F(HeldSignallingTest, AFirstValueRefusedChangesNothing) {
  configureAndOpen("[device]\nname = A\n", "hd");
  showSomething();
  ASSERT_EQ("", signal(signallingFor(Eotf::kPq))) << message;
  set("metadata_set = E_OUTOFMEMORY");
  EXPECT_EQ("failed", signal(signallingFor(Eotf::kHlg)));
  EXPECT_EQ("the card refused the colour space (E_OUTOFMEMORY); previous signalling kept",
            message);
  EXPECT_EQ(Eotf::kPq, gSignalling.eotf);
  showSomething();
  EXPECT_EQ(kPqDefaults, lastMetadata());
}

TEST_F(HeldSignallingTest, AFirstSignallingThatFailsLeavesTheFramePlain) {
  configureAndOpen("[device]\nname = A\nmetadata_set.fall = E_FAIL\n", "hd");
  showSomething();
  EXPECT_EQ("failed", signal(signallingFor(Eotf::kPq)));
  EXPECT_EQ("the card refused the MaxFALL (E_FAIL); previous signalling kept", message);
  EXPECT_TRUE(isPlain(gSignalling));
  showSomething();
  EXPECT_EQ(0u, lastMetadata().flags);
}

TEST_F(HeldSignallingTest, ValuesAreCheckedBeforeTheDevice) {
  const struct {
    int maxLuminance, minLuminance, maxCll, maxFall;
    const char* problem;
  } cases[] = {
      {0, 1, 1000, 400, "maximum mastering luminance must be 1-65535 cd/m2"},
      {65536, 1, 1000, 400, "maximum mastering luminance must be 1-65535 cd/m2"},
      {1000, 0, 1000, 400, "minimum mastering luminance must be 1-65535 (0.0001-6.5535 cd/m2)"},
      {1000, 65536, 1000, 400, "minimum mastering luminance must be 1-65535 (0.0001-6.5535 cd/m2)"},
      {1, 10000, 1000, 400, "minimum mastering luminance must be below the maximum"},
      {1000, 1, 0, 400, "MaxCLL must be 1-65535 cd/m2"},
      {1000, 1, 1000, 70000, "MaxFALL must be 1-65535 cd/m2"},
  };
  configure("[device]\nname = A\n");
  for (const auto& c : cases) {
    Signalling wanted = signallingFor(Eotf::kPq);
    wanted.maxLuminance = c.maxLuminance;
    wanted.minLuminance = c.minLuminance;
    wanted.maxCll = c.maxCll;
    wanted.maxFall = c.maxFall;
    EXPECT_EQ("bad_request", signal(wanted)) << c.problem;
    EXPECT_EQ(c.problem, message);
  }
  Signalling lowest = signallingFor(Eotf::kPq);
  lowest.maxLuminance = 1;
  lowest.minLuminance = 9999;
  EXPECT_EQ("not_open", signal(lowest));
  EXPECT_EQ("no device is open", message);
  EXPECT_TRUE(logLines().empty());
}

TEST_F(HeldSignallingTest, ASwitchCarriesTheSignallingAndACloseEndsIt) {
  configureAndOpen("[device]\nname = A\n", "hd");
  ASSERT_EQ("", signal(signallingFor(Eotf::kPq))) << message;
  ASSERT_EQ("", codeOf(switchMode(*findMode("uhd@50")), &message)) << message;
  showSomething();
  EXPECT_EQ(kPqDefaults, lastMetadata());
  EXPECT_EQ(Eotf::kPq, gSignalling.eotf);

  closeDevice();
  EXPECT_TRUE(isPlain(gSignalling));
  ASSERT_EQ("", codeOf(openDevice(0, "uhd@50"), &message)) << message;
  showSomething();
  EXPECT_EQ(CarriedMetadata(), lastMetadata());
}

TEST_F(HeldSignallingTest, ASwitchWhoseFrameRefusesTheSignallingSaysSo) {
  configureAndOpen("[device]\nname = A\n", "hd");
  ASSERT_EQ("", signal(signallingFor(Eotf::kHlg))) << message;
  set("metadata = no");
  EXPECT_EQ("failed", codeOf(switchMode(kModes[1]), &message));
  EXPECT_EQ("switched resolution, but the HDR signalling could not be carried over (the frame "
            "refused its metadata interface (E_NOINTERFACE)); the frame is now SDR",
            message);
  EXPECT_EQ(&kModes[1], gMode);
  EXPECT_TRUE(isPlain(gSignalling));
}

TEST_F(HeldSignallingTest, ASecondDisplayThatFailsKeepsTheSignalling) {
  configureAndOpen("[device]\nname = A\n", "hd");
  showSomething();
  set("display = E_FAIL");
  EXPECT_EQ("failed", signal(signallingFor(Eotf::kPq)));
  EXPECT_EQ("signalling set, but DisplayVideoFrameSync failed", message);
  EXPECT_EQ(Eotf::kPq, gSignalling.eotf);
}

}  // namespace
