// Driving the simulated card in-process through the driver's interfaces,
// the way the program does, for tests that need a card, an output or a
// frame to get to the call they are about.
#ifndef CORVANE_TESTS_SUPPORT_CARD_CALLS_H
#define CORVANE_TESTS_SUPPORT_CARD_CALLS_H

#include <cstdint>
#include <string>
#include <vector>

#include "decklink/decklink_api.h"

// The card's entry point, called directly rather than through the loader.
extern "C" IDeckLinkIterator* CreateDeckLinkIteratorInstance_0004(void);
extern "C" IDeckLinkAPIInformation* CreateDeckLinkAPIInformationInstance_0001(void);

// Card `index` in enumeration order, with the iterator and the cards
// passed over released; null when there is none.
IDeckLink* device(int index);
IDeckLinkOutput* outputOf(IDeckLink* device);
// Card 0's output, enabled at `mode`; the device is released.
IDeckLinkOutput* enabledOutput(BMDDisplayMode mode);
// An r210 frame with the rows the card asks for at that width (widths 64,
// 1920, 3840 and 4096).
IDeckLinkMutableVideoFrame* createFrame(IDeckLinkOutput* output, int32_t width, int32_t height);
IDeckLinkVideoBuffer* bufferOf(IDeckLinkMutableVideoFrame* frame);
// The card's profile attributes, and a frame's writable metadata; each
// expected to be there.
IDeckLinkProfileAttributes* attributesOf(IDeckLink* card);
IDeckLinkVideoFrameMutableMetadataExtensions* metadataOf(IDeckLinkMutableVideoFrame* frame);

// The card's display name, freed as the driver's callers free it (the
// program's takeDeckLinkString); "(none)" when the call hands out no string.
std::string displayNameOf(IDeckLink* card);
// The names of the cards a new iterator hands out, in order, until it
// hands out no card; each card and the iterator are released.
std::vector<std::string> cardNames();

#endif  // CORVANE_TESTS_SUPPORT_CARD_CALLS_H
