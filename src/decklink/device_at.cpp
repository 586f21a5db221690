#include "decklink/device_at.h"

#include "decklink/loader.h"

IDeckLink* deviceAt(int index, bool* apiFound) {
  IDeckLinkIterator* iterator = CreateDeckLinkIteratorInstance();
  if (apiFound != nullptr) *apiFound = iterator != nullptr;
  if (iterator == nullptr) return nullptr;
  IDeckLink* device = nullptr;
  for (int position = 0;; ++position) {
    device = nullptr;
    if (iterator->Next(&device) != kS_OK || device == nullptr) {
      device = nullptr;  // whatever a failed Next left there is not ours
      break;
    }
    if (position == index) break;
    device->Release();
  }
  iterator->Release();
  return device;
}
