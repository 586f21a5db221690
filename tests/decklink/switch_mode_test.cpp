// Switching the held device's resolution, and restoring the previous mode
// when a step of the switch fails.
#include "decklink/device_hold.h"
#include "render/show_picture.h"
#include "support/held_device_test.h"

namespace {

class SwitchModeTest : public HeldDeviceTest {
 protected:
  void SetUp() override {
    configure("[device]\nname = A\nmodes = hd uhd\n");
    std::string openMessage;
    ASSERT_EQ("", openDevice(0, "hd").text());
    clearLog();
  }

  std::string to(int modeIndex) {
    message = "";
    return codeOf(switchMode(kModes[modeIndex]), &message);
  }

  // Applies one card setting while the card is held.
  static void set(const char* line) { ASSERT_EQ(0, decklink_sim_set(0, line)) << line; }

  static uint32_t enabledMode() {
    uint32_t mode = 0;
    return decklink_sim_output_enabled(0, &mode) ? mode : 0;
  }

  std::string message;
};

TEST_F(SwitchModeTest, NothingHeldIsNotOpenWithoutACall) {
  closeDevice();
  clearLog();
  EXPECT_EQ("not_open", to(1));
  EXPECT_EQ("no device is open", message);
  EXPECT_TRUE(logLines().empty());
}

TEST_F(SwitchModeTest, CurrentModeSucceedsWithoutACall) {
  IDeckLinkMutableVideoFrame* frame = gFrame;
  EXPECT_EQ("", to(0));
  EXPECT_EQ("", message);
  EXPECT_TRUE(logLines().empty());
  EXPECT_EQ(frame, gFrame);
}

TEST_F(SwitchModeTest, SwitchesToANewFrameOfTheNewSize) {
  EXPECT_EQ("", to(1)) << message;
  EXPECT_EQ(&kModes[1], gMode);
  ASSERT_NE(nullptr, gFrame);
  EXPECT_EQ(3840, gFrame->GetWidth());
  EXPECT_EQ(2160, gFrame->GetHeight());
  EXPECT_EQ(15360, gRowBytes);
  EXPECT_EQ(bmdMode4K2160p24, enabledMode());
  EXPECT_EQ(3, decklink_sim_live_objects()) << decklink_sim_report();
}

TEST_F(SwitchModeTest, ARateOfTheSameResolutionIsAModeOfItsOwn) {
  set("modes = hd hd@50 uhd");
  EXPECT_EQ("", codeOf(switchMode(*findMode("hd@50")), &message)) << message;
  EXPECT_EQ(findMode("hd@50"), gMode);
  EXPECT_EQ(fourCC("Hp50"), enabledMode());
  EXPECT_EQ(1u, logLinesWith("EnableVideoOutput(mode=Hp50 flags=0) = 0x00000000").size());
  // A rate the card lacks is refused like a resolution it lacks.
  EXPECT_EQ("unsupported", codeOf(switchMode(*findMode("hd@60")), &message));
  EXPECT_EQ(fourCC("Hp50"), enabledMode());
  // "hd@24" is the mode "hd" itself.
  EXPECT_EQ("", codeOf(switchMode(*findMode("hd@24")), &message)) << message;
  EXPECT_EQ(&kModes[0], gMode);
  EXPECT_EQ(bmdModeHD1080p24, enabledMode());
}

TEST_F(SwitchModeTest, UnsupportedModeChangesNothing) {
  IDeckLinkMutableVideoFrame* frame = gFrame;
  EXPECT_EQ("unsupported", to(2));
  EXPECT_EQ("device cannot output 10-bit RGB 4:4:4 at this resolution", message);
  EXPECT_EQ(&kModes[0], gMode);
  EXPECT_EQ(frame, gFrame);
  EXPECT_EQ(bmdModeHD1080p24, enabledMode());
  EXPECT_TRUE(logLinesWith("DisableVideoOutput").empty());
}

TEST_F(SwitchModeTest, FrameFailureRestoresThePreviousMode) {
  set("create_frame.uhd = E_OUTOFMEMORY");
  IDeckLinkMutableVideoFrame* oldFrame = gFrame;
  EXPECT_EQ("failed", to(1));
  EXPECT_EQ("could not switch resolution; previous mode restored", message);
  EXPECT_EQ(&kModes[0], gMode);
  ASSERT_NE(nullptr, gFrame);
  EXPECT_NE(oldFrame, gFrame);
  EXPECT_EQ(1920, gFrame->GetWidth());
  EXPECT_EQ(bmdModeHD1080p24, enabledMode());
  // Disabled before the switch and again after the failed frame.
  EXPECT_EQ(2u, logLinesWith("DisableVideoOutput").size());
  PatchRect rect;
  EXPECT_EQ("", showPatch(1, 2, 3, 0, 0, 0, 10, &rect).text());
}

TEST_F(SwitchModeTest, EnableFailureRestoresAtOnce) {
  set("enable.uhd = E_FAIL");
  EXPECT_EQ("failed", to(1));
  EXPECT_EQ("could not switch resolution; previous mode restored", message);
  EXPECT_EQ(&kModes[0], gMode);
  // Only the one disable before the switch: the restore starts straight away.
  EXPECT_EQ(1u, logLinesWith("DisableVideoOutput").size());
  EXPECT_EQ(bmdModeHD1080p24, enabledMode());
}

TEST_F(SwitchModeTest, FailedRestoreLeavesHeldWithoutMode) {
  set("enable.uhd = E_FAIL");
  set("create_frame.hd = E_OUTOFMEMORY");
  EXPECT_EQ("failed", to(1));
  EXPECT_EQ("could not switch resolution, and the previous mode could not be restored",
            message);
  EXPECT_EQ(nullptr, gMode);
  EXPECT_EQ(nullptr, gFrame);
  EXPECT_NE(nullptr, gOutput);
  EXPECT_NE(nullptr, gDevice);
  EXPECT_EQ(0u, enabledMode());
  PatchRect rect{7, 7, 7, 7};
  EXPECT_EQ("DisplayVideoFrameSync failed (failed)", showPatch(1, 2, 3, 0, 0, 0, 10, &rect).text());
  EXPECT_EQ(7, rect.x);

  // Without a mode to go back to, a failing switch tries no restore.
  clearLog();
  EXPECT_EQ("failed", to(0));
  EXPECT_EQ("could not switch resolution, and the previous mode could not be restored",
            message);
  EXPECT_EQ(1u, logLinesWith("EnableVideoOutput").size());

  // A later switch that works makes the device usable without reopening.
  set("create_frame.hd = S_OK");
  EXPECT_EQ("", to(0)) << message;
  EXPECT_EQ(&kModes[0], gMode);
  EXPECT_EQ("", showPatch(1, 2, 3, 0, 0, 0, 10, &rect).text());
}

TEST_F(SwitchModeTest, UnsupportedFromHeldWithoutModeChangesNothing) {
  set("enable.uhd = E_FAIL");
  set("enable.hd = E_FAIL");
  ASSERT_EQ("failed", to(1));
  ASSERT_EQ(nullptr, gMode);
  EXPECT_EQ("unsupported", to(2));
  EXPECT_EQ(nullptr, gMode);
  EXPECT_NE(nullptr, gOutput);
}

}  // namespace
