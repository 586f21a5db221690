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
 * Objects handed out before stay valid but are no longer counted; outputs
 * they enabled are disabled and their holds end. NULL gives the default
 * setup: one card "DeckLink Simulator" with every mode at every rate.
 * Returns 0 on success; otherwise the 1-based number of the first line it
 * could not read (or of the [log] file line whose file cannot be opened),
 * and the setup is then empty (no card). */
int decklink_sim_configure(const char* text);

/* What the last configure (or decklink_sim_set) could not read, as
 * "line N: <what>"; "" after a success. */
const char* decklink_sim_config_error(void);

/* Replaces the setup with the one the environment describes (the
 * DECKLINK_SIM_* variables, read now), as the first use of the entry point
 * does in a process that never called decklink_sim_configure. Returns 0, or
 * -1 when the environment named a setup that could not be read (the
 * message goes to stderr and the setup has no card). */
int decklink_sim_use_environment(void);

/* Applies one `key = value` line of a [device] section (for example
 * "enable.hd = E_FAIL" or "display = S_OK") to card `index` (0-based) at
 * once, keeping everything else: objects, accounting, log, hold. Lets a test
 * inject a fault while the card is held. Returns 0 on success, -1 when the
 * card does not exist or the line cannot be read. */
int decklink_sim_set(int index, const char* line);

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

/* Whether the program set configuration flag `flag_id` (a FourCC such as
 * '444o') on card `index` through IDeckLinkConfiguration::SetFlag since the
 * last configure. Returns 1 and stores the value in `value` (may be NULL)
 * when it did, 0 otherwise. */
int decklink_sim_config_flag(int index, uint32_t flag_id, int* value);

/* Whether the output of card `index` (0-based, configuration order) is
 * enabled in this process, and at which display mode (FourCC). */
int decklink_sim_output_enabled(int index, uint32_t* display_mode);

/* Reads a capture file (format in sim/README.md) into `out`; the bytes are
 * allocated with malloc and belong to the caller. Returns 1 on success. */
int decklink_sim_read_frame_file(const char* path, struct decklink_sim_frame* out);

/* The metadata a displayed frame carried: its flag word (0x2: it contains
 * HDR metadata) and the values the program set through the frame's
 * metadata extensions, in the order the card lists the ids ('cspc', 'eotf',
 * 'hdrx', 'hdry', 'hdgx', 'hdgy', 'hdbx', 'hdby', 'hdwx', 'hdwy', 'hdml',
 * 'hmil', 'mcll', 'fall'), each id at most once. */
#define DECKLINK_SIM_METADATA_MAX 16
struct decklink_sim_metadata_value {
  uint32_t id;        /* FourCC, e.g. 'eotf' */
  int is_float;       /* 1: set with SetFloat, in float_value; 0: SetInt, in int_value */
  int64_t int_value;
  double float_value;
};
struct decklink_sim_frame_metadata {
  uint32_t flags;
  int count;
  struct decklink_sim_metadata_value values[DECKLINK_SIM_METADATA_MAX];
};

/* The metadata of the most recently displayed frame (kept whether or not
 * frames are captured); returns 1, or 0 when no frame was displayed since
 * the last configure. */
int decklink_sim_last_metadata(struct decklink_sim_frame_metadata* out);

/* The metadata beside the pixels of a capture file: all zero for a file of
 * a frame without metadata. Returns 1 on success, 0 when the file cannot be
 * read. */
int decklink_sim_read_frame_file_metadata(const char* path,
                                          struct decklink_sim_frame_metadata* out);

#ifdef __cplusplus
}
#endif

#endif /* DECKLINK_SIM_H */
