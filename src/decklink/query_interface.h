// Asking a DeckLink object for another of its interfaces.
#ifndef CORVANE_DECKLINK_QUERY_INTERFACE_H
#define CORVANE_DECKLINK_QUERY_INTERFACE_H

#include "decklink/decklink_api.h"

// `object`'s interface `iid` as an `Interface`, with a reference that
// belongs to the caller; null when the object refuses it or answers success
// without one (a faulty driver), and then nothing is to be released.
// `result`, when given, receives QueryInterface's own result.
template <class Interface>
Interface* queryInterface(IUnknown* object, const DeckLinkIID& iid, HRESULT* result = nullptr) {
  void* found = nullptr;
  const HRESULT answer = object->QueryInterface(iid, &found);
  if (result != nullptr) *result = answer;
  return answer == kS_OK ? static_cast<Interface*>(found) : nullptr;
}

#endif  // CORVANE_DECKLINK_QUERY_INTERFACE_H
