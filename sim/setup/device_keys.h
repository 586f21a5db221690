// The keys of a [device] section: used by the setup text, by the
// DECKLINK_SIM_DEVICES shorthand (for its modes) and by decklink_sim_set.
#ifndef DECKLINK_SIM_SETUP_DEVICE_KEYS_H
#define DECKLINK_SIM_SETUP_DEVICE_KEYS_H

#include <string>

#include "setup/setup.h"

// Applies one `key = value` of a [device] section to `card`. Returns false
// with `problem` set for an unknown key or an unreadable value.
bool applyDeviceKey(const std::string& key, const std::string& value, CardSetup* card,
                    std::string* problem);

#endif  // DECKLINK_SIM_SETUP_DEVICE_KEYS_H
