#include "decklink/device_walk.h"

#include "decklink/loader.h"

bool walkDevices(const std::function<WalkStep(IDeckLink* device)>& visit) {
  IDeckLinkIterator* iterator = CreateDeckLinkIteratorInstance();
  if (iterator == nullptr) return false;
  IDeckLink* device = nullptr;
  while (iterator->Next(&device) == kS_OK && device != nullptr) {
    const WalkStep step = visit(device);
    if (step == WalkStep::kKeep) break;
    device->Release();
    device = nullptr;
  }
  iterator->Release();
  return true;
}

IDeckLink* deviceAt(int index, bool* apiFound) {
  IDeckLink* found = nullptr;
  int position = 0;
  const bool present = walkDevices([&](IDeckLink* device) {
    if (position++ != index) return WalkStep::kNext;
    found = device;
    return WalkStep::kKeep;
  });
  if (apiFound != nullptr) *apiFound = present;
  return found;
}
