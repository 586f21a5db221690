// A stand-in for the SDK's TargetConditionals.h, for the macOS compile check
// only: GoogleTest's headers include it on macOS to learn which Apple
// platform they are built for. The values of a macOS (not iOS) build.
#ifndef CORVANE_STAND_IN_TARGETCONDITIONALS_H
#define CORVANE_STAND_IN_TARGETCONDITIONALS_H

#define TARGET_OS_MAC 1
#define TARGET_OS_OSX 1
#define TARGET_OS_IPHONE 0
#define TARGET_OS_IOS 0
#define TARGET_OS_TV 0
#define TARGET_OS_WATCH 0
#define TARGET_OS_SIMULATOR 0

#endif  // CORVANE_STAND_IN_TARGETCONDITIONALS_H
