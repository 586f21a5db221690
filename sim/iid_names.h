// Interface names for QueryInterface log lines.
#ifndef DECKLINK_SIM_IID_NAMES_H
#define DECKLINK_SIM_IID_NAMES_H

#include <string>

#include "decklink/decklink_api.h"

// "IDeckLinkOutput" for the IIDs the driver has had (older generations get
// a suffix such as "_v15_3_1", so a program probing the driver's age reads
// plainly in the log); any other IID as its canonical string.
std::string iidName(const DeckLinkIID& iid);

#endif  // DECKLINK_SIM_IID_NAMES_H
