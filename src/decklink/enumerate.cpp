#include "decklink/enumerate.h"

#include "decklink/device_walk.h"
#include "decklink/display_name.h"
#include "decklink/query_interface.h"

namespace {

DeviceInfo describeDevice(IDeckLink* device) {
  DeviceInfo info;
  info.name = readDisplayName(device);
  IDeckLinkOutput* output = queryInterface<IDeckLinkOutput>(device, IID_IDeckLinkOutput);
  if (output == nullptr) return info;
  info.output = true;
  for (int i = 0; i < kModeCount; ++i) {
    info.modes[i] = probeMode(output, kModes[i]);
    if (info.modes[i]) info.usable = true;
  }
  output->Release();
  return info;
}

}  // namespace

bool enumerate(std::vector<DeviceInfo>* devices) {
  return walkDevices([devices](IDeckLink* device) {
    devices->push_back(describeDevice(device));
    return WalkStep::kNext;
  });
}
