/* A host application's test: it runs corvane serve against the simulated
 * card, as the application would drive a real card, asks for a patch, and
 * checks the frame the card displayed, read back from its capture file. */
#define _POSIX_C_SOURCE 200809L
#include <decklink_sim.h>
#include <dirent.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static int fail(const char* what) {
  fprintf(stderr, "host_frame_test: %s\n", what);
  return 1;
}

/* The 'r210' word at pixel (x, y): 32 bits, big-endian. */
static uint32_t wordAt(const struct decklink_sim_frame* frame, int x, int y) {
  const unsigned char* p = frame->bytes + (size_t)y * (size_t)frame->row_bytes + (size_t)x * 4;
  return ((uint32_t)p[0] << 24) | ((uint32_t)p[1] << 16) | ((uint32_t)p[2] << 8) | p[3];
}

int main(void) {
  /* A directory of this run's own for the frames and the card's hold. */
  char run[] = "corvane-run-XXXXXX";
  if (mkdtemp(run) == NULL) return fail("cannot make a directory");
  char frames[64], hold[64];
  snprintf(frames, sizeof frames, "%s/frames", run);
  snprintf(hold, sizeof hold, "%s/hold", run);

  /* corvane loads the simulated card; one card, captured to files. */
  setenv("CORVANE_DECKLINK_API", CORVANE_SIM_API, 1);
  setenv("DECKLINK_SIM_DEVICES", "Host test card=hd", 1);
  setenv("DECKLINK_SIM_CONFIG", "", 1);
  setenv("DECKLINK_SIM_CAPTURE", frames, 1);
  setenv("DECKLINK_SIM_HOLD_DIR", hold, 1);

  FILE* serve = popen("'" CORVANE "' serve >/dev/null", "w");
  if (serve == NULL) return fail("cannot start corvane");
  fputs("{\"cmd\":\"open\",\"device\":0,\"mode\":\"hd\"}\n"
        "{\"cmd\":\"patch\",\"r\":940,\"g\":512,\"b\":64,\"area\":10}\n"
        "{\"cmd\":\"quit\"}\n",
        serve);
  if (pclose(serve) != 0) return fail("corvane serve did not end with status 0");

  /* The one frame displayed. */
  DIR* directory = opendir(frames);
  if (directory == NULL) return fail("no capture directory");
  char path[512] = "";
  int count = 0;
  for (struct dirent* entry; (entry = readdir(directory)) != NULL;) {
    if (strncmp(entry->d_name, "frame-", 6) == 0) {
      snprintf(path, sizeof path, "%s/%s", frames, entry->d_name);
      ++count;
    }
  }
  closedir(directory);
  if (count != 1) return fail("expected exactly one captured frame");

  struct decklink_sim_frame frame;
  if (decklink_sim_read_frame_file(path, &frame) != 1) return fail("unreadable capture file");
  int ok = frame.width == 1920 && frame.height == 1080 &&
           wordAt(&frame, 960, 540) == ((940u << 20) | (512u << 10) | 64u) && /* the patch */
           wordAt(&frame, 0, 0) == 0;                                        /* the background */
  free((void*)frame.bytes);
  if (!ok) return fail("the frame is not the patch asked for");
  printf("host_frame_test: the card displayed the patch\n");
  return 0;
}
