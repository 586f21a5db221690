// `corvane run <device> [hd|uhd|4k]`: shows patches and the alignment frame
// on the held card from commands typed at a "patch> " prompt.
#ifndef CORVANE_CONSOLE_CONSOLE_H
#define CORVANE_CONSOLE_CONSOLE_H

// Runs the console on the card that app/hold_card.h holds: prints the
// commands, then reads them until end of input or a quit command, and
// releases the card. Returns 0.
int runConsole();

#endif  // CORVANE_CONSOLE_CONSOLE_H
