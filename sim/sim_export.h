// The library is built with hidden visibility; only the driver's entry
// point and the decklink_sim_* control functions are exported.
#ifndef DECKLINK_SIM_SIM_EXPORT_H
#define DECKLINK_SIM_SIM_EXPORT_H

#define DECKLINK_SIM_EXPORT __attribute__((visibility("default")))

#endif  // DECKLINK_SIM_SIM_EXPORT_H
