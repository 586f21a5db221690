#include "decklink/enumerate.h"

#include "decklink/display_name.h"
#include "decklink/loader.h"
#include "decklink/mode_probe.h"

namespace {

DeviceInfo describeDevice(IDeckLink* device) {
  DeviceInfo info;
  info.name = readDisplayName(device);
  IDeckLinkOutput* output = nullptr;
  if (device->QueryInterface(IID_IDeckLinkOutput, reinterpret_cast<void**>(&output)) !=
          kS_OK ||
      output == nullptr) {
    return info;
  }
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
  IDeckLinkIterator* iterator = CreateDeckLinkIteratorInstance();
  if (iterator == nullptr) return false;
  IDeckLink* device = nullptr;
  // A success without a device ends the list like any failure: it is never
  // used or released as a device, and a faulty driver cannot loop us forever.
  while (iterator->Next(&device) == kS_OK && device != nullptr) {
    devices->push_back(describeDevice(device));
    device->Release();
    device = nullptr;
  }
  iterator->Release();
  return true;
}
