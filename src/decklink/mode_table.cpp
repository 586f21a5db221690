#include "decklink/mode_table.h"

#include "decklink/device_walk.h"
#include "decklink/display_name.h"
#include "decklink/driver_version.h"
#include "decklink/query_interface.h"

Failure readModeTable(int index, ModeTable* table) {
  bool apiFound = false;
  IDeckLink* device = deviceAt(index, &apiFound);
  if (device == nullptr) {
    return apiFound ? failure(FailureCode::kNoDevice, kNoDeviceMessage)
                    : failure(FailureCode::kNoApi, kNoApiMessage);
  }
  table->name = readDisplayName(device);
  IDeckLinkOutput* output = queryInterface<IDeckLinkOutput>(device, IID_IDeckLinkOutput);
  if (output == nullptr) {
    device->Release();
    return failure(FailureCode::kNoOutput, withOlderDriverCause(kNoOutputMessage));
  }
  for (int resolution = 0; resolution < kModeCount; ++resolution) {
    for (int rate = 0; rate < kRateCount; ++rate) {
      table->supported[resolution][rate] = probeMode(output, modeAt(resolution, rate));
    }
  }
  output->Release();
  device->Release();
  return {};
}
