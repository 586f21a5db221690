/* Control interface of the simulated DeckLink card (libDeckLinkAPI.so built
 * from sim/). A test that runs in-process links the simulated card and calls
 * these functions; a test that runs a program as a child process configures
 * the card through the environment instead (see sim/README.md).
 *
 * The configuration text is the same in both cases; sim/README.md describes
 * every section and key.
 *
 * All functions are safe to call at any time from the test's thread. Strings
 * returned as `const char*` stay valid until the next call of any function
 * declared here. */
#ifndef DECKLINK_SIM_H
#define DECKLINK_SIM_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Replaces the whole simulated setup (cards, faults, capture, log file,
 * hold directory) with the one `text` describes, and clears the call log,
 * the reference accounting, the misuse count and the captured frames.
 * Objects handed out before stay valid but are no longer counted.
 * Returns 0 on success; otherwise the 1-based number of the first line it
 * could not read, and the setup is then empty (no card). */
int decklink_sim_configure(const char* text);

/* The call log since the last configure, one call per line, each line ending
 * in '\n'. The line format is described in sim/README.md. */
const char* decklink_sim_log(void);
void decklink_sim_clear_log(void);

/* Reference accounting since the last configure. */
long decklink_sim_live_objects(void);   /* handed out, not yet released to zero */
long decklink_sim_over_releases(void);  /* Release on an object already at zero */
long decklink_sim_misuse_count(void);   /* calls that break the API's rules */
/* One line per live object and per over-release or misuse; "" when clean. */
const char* decklink_sim_report(void);

/* Audits a log written to a file (the [log] file of the configuration or the
 * DECKLINK_SIM_LOG variable), for programs that ran as child processes and
 * may have ended without a normal exit. Considers the lines of process `pid`
 * only, or of every process when pid is 0. Returns the number of problems
 * found (references never released, releases past zero, misuse) and puts a
 * description of each into the returned report (empty when clean); returns
 * -1 when the file cannot be read. */
long decklink_sim_audit_log_file(const char* path, long pid, const char** report);

/* A frame as the card displayed it. */
struct decklink_sim_frame {
  int32_t width;
  int32_t height;
  int32_t row_bytes;
  uint32_t pixel_format;        /* FourCC, 'r210' */
  uint64_t sequence;            /* 1 for the first frame displayed after configure */
  const unsigned char* bytes;   /* height * row_bytes bytes, as in the frame's memory */
  uint64_t size;
};

/* Number of successful DisplayVideoFrameSync calls since the last configure. */
long decklink_sim_displayed_count(void);

/* With memory capture on (the configuration's [capture] memory = yes), fills
 * `out` with a copy of the most recently displayed frame, valid until the next
 * display or configure, and returns 1; returns 0 when there is none. */
int decklink_sim_last_frame(struct decklink_sim_frame* out);

/* Whether the output of card `index` (0-based, configuration order) is
 * enabled in this process, and at which display mode (FourCC). */
int decklink_sim_output_enabled(int index, uint32_t* display_mode);

/* Reads a capture file (format in sim/README.md) into `out`; the bytes are
 * allocated with malloc and belong to the caller. Returns 1 on success. */
int decklink_sim_read_frame_file(const char* path, struct decklink_sim_frame* out);

#ifdef __cplusplus
}
#endif

#endif /* DECKLINK_SIM_H */
