// Names of the DeckLink result codes, for messages that pass a driver
// failure on to the user.
#ifndef CORVANE_DECKLINK_HRESULT_NAME_H
#define CORVANE_DECKLINK_HRESULT_NAME_H

#include "decklink/decklink_api.h"

// A constant text; "unknown" for a value without a name.
const char* hresultName(HRESULT result);

#endif  // CORVANE_DECKLINK_HRESULT_NAME_H
