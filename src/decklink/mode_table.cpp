#include "decklink/mode_table.h"

#include "decklink/device_at.h"
#include "decklink/device_hold.h"
#include "decklink/display_name.h"
#include "decklink/mode_probe.h"

std::string readModeTable(int index, ModeTable* table, std::string* message) {
  bool apiFound = false;
  IDeckLink* device = deviceAt(index, &apiFound);
  if (device == nullptr) {
    *message = apiFound ? kNoDeviceMessage : kNoApiMessage;
    return apiFound ? kNoDevice : kNoApi;
  }
  table->name = readDisplayName(device);
  IDeckLinkOutput* output = nullptr;
  if (device->QueryInterface(IID_IDeckLinkOutput, reinterpret_cast<void**>(&output)) != kS_OK ||
      output == nullptr) {
    device->Release();
    *message = kNoOutputMessage;
    return kNoOutput;
  }
  for (int resolution = 0; resolution < kModeCount; ++resolution) {
    for (int rate = 0; rate < kRateCount; ++rate) {
      table->supported[resolution][rate] = probeMode(output, modeAt(resolution, rate));
    }
  }
  output->Release();
  device->Release();
  return "";
}
