// A stand-in for the SDK's AvailabilityMacros.h, for the macOS compile check
// only: GoogleTest's headers include it on macOS, and use nothing from it.
#ifndef CORVANE_STAND_IN_AVAILABILITYMACROS_H
#define CORVANE_STAND_IN_AVAILABILITYMACROS_H
#endif  // CORVANE_STAND_IN_AVAILABILITYMACROS_H
