// `corvane run <device> [hd|uhd|4k]`: holds one device and shows patches
// and the alignment frame from commands typed at a "patch> " prompt.
#ifndef CORVANE_APP_CONSOLE_H
#define CORVANE_APP_CONSOLE_H

// `deviceArgument` is the device index as typed, `resolution` the mode word.
// Returns 1 when the device cannot be opened, 0 after end of input or a
// quit command, with the device released.
int runConsole(const char* deviceArgument, const char* resolution);

#endif  // CORVANE_APP_CONSOLE_H
