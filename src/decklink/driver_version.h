// The installed driver's version, as its API information reports it: the
// first fact a person with a new card needs beside the card's name.
#ifndef CORVANE_DECKLINK_DRIVER_VERSION_H
#define CORVANE_DECKLINK_DRIVER_VERSION_H

#include <cstdint>
#include <string>

#include "decklink/failure.h"

// Asks the DeckLink API's information object for BMDDeckLinkAPIVersion
// into `version`. Fails (failed) when the API lacks the information object
// (or the whole API is missing), or GetInt fails (its result named). The
// object is released before it returns.
Failure readDriverVersion(int64_t* version);

// A version word 0xMMmmpp00 as "MM.mm.pp" in decimal: 0x10000000 is
// "16.0.0", 0x0C040100 "12.4.1". The low byte is not part of it.
std::string driverVersionText(int64_t version);

#endif  // CORVANE_DECKLINK_DRIVER_VERSION_H
