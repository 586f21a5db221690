// Enumeration: each card's name, output and modes in iterator order, and
// the iterator's faults, against the simulated card linked in-process.
#include "decklink/enumerate.h"
#include "decklink/loader.h"
#include "support/sim_test.h"

namespace {

class EnumerateTest : public SimTest {
 protected:
  std::vector<DeviceInfo> listed(bool* present = nullptr) {
    std::vector<DeviceInfo> devices;
    bool result = enumerate(&devices);
    if (present != nullptr) *present = result;
    return devices;
  }
};

void expectFlags(const DeviceInfo& d, bool output, bool hd, bool uhd, bool k4, bool usable) {
  EXPECT_EQ(output, d.output) << d.name;
  EXPECT_EQ(hd, d.modes[0]) << d.name;
  EXPECT_EQ(uhd, d.modes[1]) << d.name;
  EXPECT_EQ(k4, d.modes[2]) << d.name;
  EXPECT_EQ(usable, d.usable) << d.name;
}

TEST_F(EnumerateTest, MissingApiAppendsNothing) {
  configure("[iterator]\nentry_point = null\n[device]\nname = A\n");
  std::vector<DeviceInfo> devices(1);
  devices[0].name = "kept";
  EXPECT_FALSE(enumerate(&devices));
  ASSERT_EQ(1u, devices.size());
  EXPECT_EQ("kept", devices[0].name);
}

TEST_F(EnumerateTest, PresentWithoutDevicesIsAnEmptyList) {
  configure("");
  bool present = false;
  EXPECT_TRUE(listed(&present).empty());
  EXPECT_TRUE(present);
  EXPECT_TRUE(IsDeckLinkAPIPresent());
}

TEST_F(EnumerateTest, DescribesEachDeviceInIteratorOrder) {
  configure(
      "[device]\nname = All modes\n"
      "[device]\nname = HD only\nmodes = hd\n"
      "[device]\nname = DCI only\nmodes = 4k\n"
      "[device]\nname = No output\noutput = no\n"
      "[device]\nname = Nothing\nmodes = none\n");
  std::vector<DeviceInfo> devices = listed();
  ASSERT_EQ(5u, devices.size());
  EXPECT_EQ("All modes", devices[0].name);
  expectFlags(devices[0], true, true, true, true, true);
  expectFlags(devices[1], true, true, false, false, true);
  expectFlags(devices[2], true, false, false, true, true);
  expectFlags(devices[3], false, false, false, false, false);
  expectFlags(devices[4], true, false, false, false, false);
  EXPECT_EQ("Nothing", devices[4].name);
}

TEST_F(EnumerateTest, ProbeCountsOnlySuccessWithTheFlag) {
  configure(
      "[device]\nname = A\n"
      "probe.hd = S_OK no\nprobe.uhd = E_FAIL yes\nprobe.4k = S_FALSE yes\n"
      "[device]\nname = B\nmodes = none\nprobe.uhd = S_OK yes\n");
  std::vector<DeviceInfo> devices = listed();
  ASSERT_EQ(2u, devices.size());
  expectFlags(devices[0], true, false, false, false, false);
  expectFlags(devices[1], true, false, true, false, true);
}

TEST_F(EnumerateTest, UnreadableNamesAreUnknownAndStillProbed) {
  configure(
      "[device]\nname_result = E_FAIL\nmodes = uhd\n"
      "[device]\nname_null = yes\n"
      "[device]\nname = Tab\\there \\\"quoted\\\" caf\\xC3\\xA9\n");
  std::vector<DeviceInfo> devices = listed();
  ASSERT_EQ(3u, devices.size());
  EXPECT_EQ("(unknown)", devices[0].name);
  expectFlags(devices[0], true, false, true, false, true);
  EXPECT_EQ("(unknown)", devices[1].name);
  EXPECT_EQ("Tab\there \"quoted\" caf\xC3\xA9", devices[2].name);
}

TEST_F(EnumerateTest, LongNamesAreCutBetweenCharacters) {
  std::string exact(253, 'a');
  exact += "\xC3\xA9";  // 255 bytes, ends in a two-byte character
  std::string longer(254, 'b');
  longer += "\xE2\x82\xAC" "tail";  // a three-byte character across byte 255
  configure("[device]\nname = " + exact + "\n[device]\nname = " + longer + "\n");
  std::vector<DeviceInfo> devices = listed();
  ASSERT_EQ(2u, devices.size());
  EXPECT_EQ(exact, devices[0].name);
  EXPECT_EQ(std::string(254, 'b'), devices[1].name);
}

TEST_F(EnumerateTest, IteratorFaultsEndTheListQuietly) {
  const std::string cards = "[device]\nname = A\n[device]\nname = B\n[device]\nname = C\n";
  configure("[iterator]\nfail_after = 2\n" + cards);
  EXPECT_EQ(2u, listed().size());
  configure("[iterator]\nfail_after = 0\n" + cards);
  bool present = false;
  EXPECT_TRUE(listed(&present).empty());
  EXPECT_TRUE(present);
  // A success without a device counts as the end of the list.
  configure("[iterator]\nnull_at = 1\n" + cards);
  std::vector<DeviceInfo> devices = listed();
  ASSERT_EQ(1u, devices.size());
  EXPECT_EQ("A", devices[0].name);
}

TEST_F(EnumerateTest, ReleasesEverythingItObtains) {
  configure("[device]\nname = A\n[device]\nname = B\noutput = no\n");
  listed();
  EXPECT_EQ(0, decklink_sim_live_objects()) << decklink_sim_report();
  // Each device's name string was handed over and freed (ASan would see it).
  EXPECT_EQ(2u, logLinesWith("GetDisplayName()").size());
  EXPECT_EQ(3u, logLinesWith("DoesSupportVideoMode").size());
}

}  // namespace
