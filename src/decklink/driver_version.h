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

// The first driver whose interfaces the program declares: 16.0.0.
constexpr int64_t kFirstKnownDriver = 0x10000000;

// When the driver says it is older than 16.0, why it refuses the output
// and configuration interfaces (it knows them under other identifiers):
// "the driver is Desktop Video 15.3.1, and corvane needs 16.0 or later".
// "" for a newer driver, and for one that does not say its version.
std::string olderDriverCause();

// `refused` ("device has no output interface"), with ": " and the older
// driver's cause when there is one.
std::string withOlderDriverCause(const std::string& refused);

#endif  // CORVANE_DECKLINK_DRIVER_VERSION_H
