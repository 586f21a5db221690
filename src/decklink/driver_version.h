// The installed driver's version, as its API information reports it: the
// first fact a person with a new card needs beside the card's name.
#ifndef CORVANE_DECKLINK_DRIVER_VERSION_H
#define CORVANE_DECKLINK_DRIVER_VERSION_H

#include <cstdint>
#include <string>

// Asks the DeckLink API's information object for BMDDeckLinkAPIVersion.
// Returns true with `version` set; or false with `why` set: the API lacks
// the information object (or the whole API is missing), or GetInt failed
// (its result named). The object is released before it returns.
bool readDriverVersion(int64_t* version, std::string* why);

// A version word 0xMMmmpp00 as "MM.mm.pp" in decimal: 0x10000000 is
// "16.0.0", 0x0C040100 "12.4.1". The low byte is not part of it.
std::string driverVersionText(int64_t version);

#endif  // CORVANE_DECKLINK_DRIVER_VERSION_H
