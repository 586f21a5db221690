// DECKLINK_SIM_DEVICES: cards written for people, e.g.
//   DeckLink Duo 2=hd uhd;UltraStudio 4K=hd uhd 4k;Intensity=none
// Cards are separated by ';'; a card's name and modes by its last '=';
// without '=' the card has every mode at every rate.
#ifndef DECKLINK_SIM_SETUP_DEVICES_SHORTHAND_H
#define DECKLINK_SIM_SETUP_DEVICES_SHORTHAND_H

#include <string>
#include <vector>

#include "setup/setup.h"

bool parseDevicesShorthand(const std::string& text, std::vector<CardSetup>* cards,
                           std::string* problem);

#endif  // DECKLINK_SIM_SETUP_DEVICES_SHORTHAND_H
