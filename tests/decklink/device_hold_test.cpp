// Holding a device: opening card N at a mode with one frame of its size,
// the errors of each step, and the release in order, against the simulated
// card linked in-process.
#include <sys/wait.h>
#include <unistd.h>

#include "decklink/device_hold.h"
#include "support/held_device_test.h"

namespace {

using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

const char kTwoCards[] =
    "[device]\nname = First\n"
    "[device]\nname = Second\nmodes = hd uhd 4k\n";

class DeviceHoldTest : public HeldDeviceTest {
 protected:
  // Nothing held: all four variables null and no output enabled on the card.
  void expectNothingHeld() {
    EXPECT_EQ(nullptr, gDevice);
    EXPECT_EQ(nullptr, gOutput);
    EXPECT_EQ(nullptr, gFrame);
    EXPECT_EQ(nullptr, gMode);
    EXPECT_EQ(0, decklink_sim_live_objects()) << decklink_sim_report();
    for (int card = 0; card < 2; ++card) {
      uint32_t mode = 0;
      EXPECT_FALSE(decklink_sim_output_enabled(card, &mode)) << "card " << card;
    }
  }

  std::string open(int index, const char* modeName) {
    const Failure refused = openDevice(index, modeName);
    message = refused.message;
    return failureCodeName(refused.code);
  }

  std::string message;
};

TEST_F(DeviceHoldTest, OpensEachModeWithOneFrameOfItsSize) {
  // Row bytes are what the card asks for: whole blocks of 64 pixels, 256
  // bytes each.
  const struct {
    const char* name;
    BMDDisplayMode displayMode;
    int32_t width, height, rowBytes;
  } modes[] = {
      {"hd", bmdModeHD1080p24, 1920, 1080, 7680},
      {"uhd", bmdMode4K2160p24, 3840, 2160, 15360},
      {"4k", bmdMode4kDCI24, 4096, 2160, 16384},
  };
  configure(kTwoCards);
  for (int m = 0; m < 3; ++m) {
    SCOPED_TRACE(modes[m].name);
    ASSERT_EQ("", open(1, modes[m].name)) << message;
    EXPECT_EQ("", message);
    EXPECT_EQ(&kModes[m], gMode);
    ASSERT_NE(nullptr, gFrame);
    EXPECT_EQ(modes[m].width, gFrame->GetWidth());
    EXPECT_EQ(modes[m].height, gFrame->GetHeight());
    EXPECT_EQ(gRowBytes, gFrame->GetRowBytes());
    EXPECT_EQ(modes[m].rowBytes, gRowBytes);
    uint32_t enabled = 0;
    EXPECT_TRUE(decklink_sim_output_enabled(1, &enabled));
    EXPECT_EQ(modes[m].displayMode, enabled);
  }
  // Each open released the previous hold: one frame, one output, one device.
  EXPECT_EQ(3, decklink_sim_live_objects()) << decklink_sim_report();
}

TEST_F(DeviceHoldTest, OpensARateOnlyWhereTheCardOffersIt) {
  configure("[device]\nname = A\nmodes = hd uhd@59.94 4k@*\n");
  const struct {
    const char* name;
    const char* enabledAs;  // the FourCC the card is enabled at; null: refused
  } cases[] = {
      {"uhd@59.94", "4k59"}, {"4k@23.98", "4d23"}, {"4k@60", "4d60"}, {"hd@24", "24ps"},
      {"hd@59.94", nullptr}, {"uhd", nullptr},     {"uhd@60", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string code = open(0, c.name);
    uint32_t enabled = 0;
    if (c.enabledAs == nullptr) {
      EXPECT_EQ("unsupported", code);
      EXPECT_EQ("device cannot output 10-bit RGB 4:4:4 at this resolution", message);
      expectNothingHeld();
      continue;
    }
    ASSERT_EQ("", code) << message;
    ASSERT_TRUE(decklink_sim_output_enabled(0, &enabled));
    EXPECT_EQ(std::string(c.enabledAs), std::string({char(enabled >> 24), char(enabled >> 16),
                                                      char(enabled >> 8), char(enabled)}));
    EXPECT_EQ(gMode, findMode(c.name));
  }
  ASSERT_EQ("", open(0, "hd@24")) << message;
  EXPECT_STREQ("hd", gMode->name);  // hd@24 is hd
}

TEST_F(DeviceHoldTest, SetsThe444FlagOnlyWhereTheDeviceHasAConfiguration) {
  configure("[device]\nname = A\n[device]\nname = B\nconfiguration = no\n");
  ASSERT_EQ("", open(0, "hd"));
  EXPECT_EQ(1u, logLinesWith("SetFlag(444o true)").size());
  clearLog();
  ASSERT_EQ("", open(1, "hd")) << message;
  EXPECT_TRUE(logLinesWith("SetFlag").empty());
}

TEST_F(DeviceHoldTest, ReleasesInOrderFrameOutputDevice) {
  configure(kTwoCards);
  ASSERT_EQ("", open(0, "hd"));
  clearLog();
  closeDevice();
  EXPECT_THAT(logLines(), ElementsAre(AllOf(HasSubstr("Frame#"), HasSubstr("Release() = 0")),
                                      HasSubstr("DisableVideoOutput()"),
                                      AllOf(HasSubstr("Output#"), HasSubstr("Release() = 0")),
                                      AllOf(HasSubstr("Device#"), HasSubstr("Release() = 0"))));
  expectNothingHeld();
}

TEST_F(DeviceHoldTest, CloseWithNothingHeldMakesNoCall) {
  configure(kTwoCards);
  closeDevice();
  EXPECT_TRUE(logLines().empty());
  EXPECT_EQ(nullptr, gMode);
}

TEST_F(DeviceHoldTest, ReopeningTheHeldDeviceReleasesItFirst) {
  configure(kTwoCards);
  ASSERT_EQ("", open(0, "hd"));
  ASSERT_EQ("", open(0, "hd")) << message;
  EXPECT_EQ(&kModes[0], gMode);
  EXPECT_EQ(3, decklink_sim_live_objects()) << decklink_sim_report();
}

TEST_F(DeviceHoldTest, UnknownResolutionReleasesWhatWasHeld) {
  configure(kTwoCards);
  for (const char* word : {"HD", "2k", "", "hd "}) {
    ASSERT_EQ("", open(0, "uhd"));
    EXPECT_EQ("bad_request", open(0, word)) << word;
    EXPECT_EQ("unknown resolution", message);
    expectNothingHeld();
  }
}

TEST_F(DeviceHoldTest, IndexOutsideTheListIsNoDevice) {
  configure(kTwoCards);
  for (int index : {2, 3, -1, -2147483647 - 1}) {
    clearLog();
    EXPECT_EQ("no_device", open(index, "hd")) << index;
    EXPECT_EQ("no device at that index", message);
    // Every device was obtained and released in turn, then the iterator.
    EXPECT_EQ(3u, logLinesWith("Next()").size()) << index;
    size_t devicesReleased = 0;
    for (const std::string& line : logLinesWith("Release() = 0")) {
      if (line.rfind("Device#", 0) == 0) ++devicesReleased;
    }
    EXPECT_EQ(2u, devicesReleased) << index;
    EXPECT_EQ(3u, logLinesWith("Release() = 0").size()) << index;  // and the iterator
    expectNothingHeld();
  }
}

TEST_F(DeviceHoldTest, MissingApiIsNoDevice) {
  configure("[iterator]\nentry_point = null\n[device]\nname = A\n");
  EXPECT_EQ("no_device", open(0, "hd"));
  EXPECT_EQ("no device at that index", message);
  expectNothingHeld();
}

TEST_F(DeviceHoldTest, IteratorFaultsAreNoDeviceAndNeverReleaseNothing) {
  // An iterator that fails before the index, and one that reports success
  // without a device, at the index and before it.
  for (const char* iterator : {"fail_after = 1", "null_at = 1", "null_at = 0"}) {
    configure(std::string("[iterator]\n") + iterator + "\n" + kTwoCards);
    EXPECT_EQ("no_device", open(1, "hd")) << iterator;
    EXPECT_EQ("no device at that index", message);
    expectNothingHeld();
  }
}

TEST_F(DeviceHoldTest, DeviceWithoutOutput) {
  configure("[device]\nname = Capture only\noutput = no\n");
  EXPECT_EQ("no_output", open(0, "hd"));
  EXPECT_EQ("device has no output interface", message);
  expectNothingHeld();
}

TEST_F(DeviceHoldTest, UnsupportedModeAndFailingProbe) {
  configure("[device]\nname = A\nmodes = hd\nprobe.4k = E_FAIL yes\n");
  for (const char* word : {"uhd", "4k"}) {
    EXPECT_EQ("unsupported", open(0, word)) << word;
    EXPECT_EQ("device cannot output 10-bit RGB 4:4:4 at this resolution", message);
    expectNothingHeld();
  }
}

TEST_F(DeviceHoldTest, EnableFailuresAreNamed) {
  const struct {
    const char* result;
    const char* code;
    const char* message;
  } cases[] = {
      {"0x80000009", "in_use", "E_ACCESSDENIED (device already in use)"},
      {"S_FALSE", "failed", "S_FALSE"},
      {"0x8000000A", "failed", "unknown"},
      {"E_INVALIDARG", "failed", "E_INVALIDARG (mode or pixel format not valid here)"},
      {"0x80000008", "failed", "E_FAIL"},
      {"0x8000FFFF", "failed", "E_UNEXPECTED"},
  };
  for (const auto& c : cases) {
    configure(std::string("[device]\nname = A\nenable.uhd = ") + c.result + "\n");
    clearLog();
    EXPECT_EQ(c.code, open(0, "uhd")) << c.result;
    EXPECT_EQ(c.message, message);
    // The output that failed to start is still disabled before its release.
    EXPECT_EQ(1u, logLinesWith("DisableVideoOutput()").size());
    expectNothingHeld();
  }
}

TEST_F(DeviceHoldTest, FrameAllocationFailure) {
  configure("[device]\nname = A\ncreate_frame.4k = E_OUTOFMEMORY\n");
  EXPECT_EQ("failed", open(0, "4k"));
  EXPECT_EQ("could not allocate a video frame", message);
  expectNothingHeld();
}

TEST_F(DeviceHoldTest, CardHeldByAnotherProcessIsInUse) {
  // The forked child shares the test's hold directory.
  configure("[device]\nname = Shared\nid = hold-test-card\n");
  int ready[2], done[2];
  ASSERT_EQ(0, pipe(ready));
  ASSERT_EQ(0, pipe(done));
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    char status = !openDevice(0, "hd").failed() ? 'y' : 'n';
    (void)!write(ready[1], &status, 1);
    char byte;
    (void)!read(done[0], &byte, 1);  // hold until the parent has tried
    _exit(0);
  }
  char status = 0;
  ASSERT_EQ(1, read(ready[0], &status, 1));
  ASSERT_EQ('y', status);
  EXPECT_EQ("in_use", open(0, "hd"));
  EXPECT_EQ("E_ACCESSDENIED (device already in use)", message);
  expectNothingHeld();
  ASSERT_EQ(1, write(done[1], "x", 1));
  int childStatus = 0;
  waitpid(child, &childStatus, 0);
  // The hold ends with the process that had it.
  EXPECT_EQ("", open(0, "hd")) << message;
  for (int fd : {ready[0], ready[1], done[0], done[1]}) close(fd);
}

}  // namespace
