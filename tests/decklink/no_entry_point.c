/* A shared library named like the DeckLink API that lacks its entry point:
   the loader must take it for no API at all. */
int decklink_api_without_entry_point(void) { return 1; }
