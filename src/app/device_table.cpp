#include "app/device_table.h"

#include <cstdio>
#include <vector>

#include "app/usage.h"
#include "decklink/driver_version.h"
#include "decklink/enumerate.h"
#include "decklink/loader.h"

namespace {

// The header, the separator, one row per device (or the no-device line) and
// the legend. Names are padded to 30 columns, never cut.
void printDeviceTable(const std::vector<DeviceInfo>& devices) {
  const char* rowFormat = "%-3s %-30s %-7s %-5s %-5s %-5s\n";
  std::printf(rowFormat, "#", "device", "output", "HD", "UHD", "4K");
  std::printf(rowFormat, "-", "------", "------", "--", "---", "--");
  for (size_t i = 0; i < devices.size(); ++i) {
    const DeviceInfo& device = devices[i];
    std::printf("%-3zu %-30s %-7s %-5s %-5s %-5s\n", i, device.name.c_str(),
                device.output ? "yes" : "no", device.modes[0] ? "yes" : "NO",
                device.modes[1] ? "yes" : "NO", device.modes[2] ? "yes" : "NO");
  }
  if (devices.empty()) std::puts("(no Blackmagic devices found)");
  std::puts("\n(HD/UHD/4K = 10-bit RGB 4:4:4 supported at that resolution)");
}

}  // namespace

int listDevices() {
  std::vector<DeviceInfo> devices;
  if (!enumerate(&devices)) {
    std::puts(kNoApiSentence);
    std::printf("  %s\n", deckLinkApiProblem().c_str());
    return 0;
  }
  printDeviceTable(devices);
  bool refused = false;
  for (const DeviceInfo& device : devices) refused = refused || !device.output;
  const std::string cause = refused ? olderDriverCause() : "";
  if (!cause.empty()) std::printf("(output no: %s)\n", cause.c_str());
  return 0;
}
