// `corvane run <device> [<mode>]`: shows patches and the alignment frame on
// the held card from commands typed at a "patch> " prompt.
#ifndef CORVANE_CONSOLE_CONSOLE_H
#define CORVANE_CONSOLE_CONSOLE_H

// Runs the console on the card that app/hold_card.h holds: prints the
// commands, then reads them until end of input or a quit command. The
// caller releases the card (app/hold_card.h, releaseCard).
void runConsole();

#endif  // CORVANE_CONSOLE_CONSOLE_H
