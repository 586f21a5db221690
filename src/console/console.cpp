#include "console/console.h"

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "decklink/device_hold.h"
#include "decklink/display_name.h"
#include "decklink/held_card.h"
#include "decklink/shown_frame_proof.h"
#include "decklink/signalling_words.h"
#include "io/decimal_int.h"
#include "io/format.h"
#include "io/input_lines.h"
#include "io/safe_points.h"
#include "render/patterns.h"
#include "render/picture_on_card.h"
#include "render/show_alignment.h"
#include "render/show_picture.h"

namespace {

// Every command word, printed at the start and by "help". Every line goes
// out through writeStdout, so a terminal that stops reading never keeps the
// card held.
const char kCommands[] =
    "Commands: red green blue white black | <R> <G> <B>\n"
    "          size3 size10 sizefull | full | video (or legal) | align\n"
    "          hdr pq|hlg|sdr [<setting> <value>]... | sdr | hdr | status | help | quit (q, exit)\n"
    "          pattern <name> [caption], in the range: pluge black-clipping white-clipping ramp\n"
    "            bars75 bars100 checkerboard window1 window2 window5 window10 window18 window25\n";

// Video range puts black at 64 and peak white at 940; full range uses 0-1023.
struct Range {
  uint16_t lo;
  uint16_t hi;
};
constexpr Range kVideoRange = {64, 940};
constexpr Range kFullRange = {0, 1023};

// The typed number as the card takes it: its low 16 bits.
bool readThreeNumbers(const char* text, uint16_t* r, uint16_t* g, uint16_t* b) {
  int values[3];
  for (int& value : values) {
    if (!readDecimalInt(&text, &value)) return false;
  }
  *r = static_cast<uint16_t>(values[0]);
  *g = static_cast<uint16_t>(values[1]);
  *b = static_cast<uint16_t>(values[2]);
  return true;
}

// After a picture's painting: a safe point, then "display failed" when it
// is not on the card, and with --verify what arrived changed. Returns
// whether it is.
bool shownOrSaid(const Failure& shown) {
  deliverPendingSignals();
  if (shown.failed()) {
    writeStdout(provedWrong(shown) ? "  display failed: " + shown.message + "\n"
                                   : std::string("  display failed\n"));
  }
  return !shown.failed();
}

void showColour(uint16_t r, uint16_t g, uint16_t b, const Range& range, double area) {
  PatchRect rect;
  if (!shownOrSaid(showPatch(r, g, b, range.lo, range.lo, range.lo, area, &rect))) return;
  writeStdout(formatted("  live: R=%u G=%u B=%u  window %dx%d at (%d,%d)\n", unsigned{r},
                        unsigned{g}, unsigned{b}, rect.w, rect.h, rect.x, rect.y));
}

void showAlignmentFrame(const Range& range) {
  const double span = range.hi - range.lo;
  const uint16_t line = static_cast<uint16_t>(span * 0.55 + range.lo);
  const uint16_t cross = static_cast<uint16_t>(span * 0.75 + range.lo);
  PatchRect inner, outer;
  if (!shownOrSaid(showAlignment(range.lo, line, cross, 3.0, 10.0, &inner, &outer))) return;
  writeStdout(formatted("  alignment: crosshair, 3%% box %dx%d, 10%% box %dx%d\n", inner.w, inner.h,
                        outer.w, outer.h));
}

// "hdr" alone prints the signalling; "hdr <eotf> [<name> <value>]..." and
// "sdr" change it (decklink/signalling_words.h has the words).
void changeSignalling(const std::string& typed) {
  std::istringstream stream(typed);
  std::vector<std::string> words;
  for (std::string word; stream >> word;) words.push_back(word);
  if (words.size() == 1 && words[0] == "hdr") {
    writeStdout("signalling: " + signallingText(gSignalling) + "\n");
    return;
  }
  words.erase(words.begin());  // "hdr", or keep "sdr" as the EOTF
  if (typed == "sdr") words = {"sdr"};
  Signalling wanted;
  Failure refused = readSignallingWords(words, &wanted);
  if (!refused.failed()) {
    refused = setSignalling(wanted);
    deliverPendingSignals();
  }
  if (refused.failed()) {
    writeStdout("  signalling not changed: " + refused.text() + "\n");
    return;
  }
  writeStdout("signalling: " + signallingText(gSignalling) + "\n");
}

// "pattern <name> [caption]" in the console's range.
void showNamedPattern(const std::string& typed, const Range& range) {
  std::istringstream stream(typed);
  std::string word, name, caption, extra;
  stream >> word >> name >> caption >> extra;
  if (name.empty() || !(caption.empty() || caption == "caption") || !extra.empty()) {
    writeStdout(std::string("  pattern <name> [caption]: ") + kPatternNames + "\n");
    return;
  }
  const Failure shown = showPattern(name, {range.lo, range.hi}, !caption.empty());
  deliverPendingSignals();
  if (shown.failed()) {
    writeStdout("  pattern not shown: " + shown.text() + "\n");
    return;
  }
  writeStdout("  pattern: " + pictureOnCard().codes + "\n");
}

// What is live: the held device at its mode, the signalling, the picture
// on the card and the frames shown.
void printStatus() {
  const std::string mode =
      gMode == nullptr ? "no mode (a failed switch)"
                       : formatted("%s %dx%d", gMode->name, gMode->width, gMode->height);
  writeStdout("device: " + readDisplayName(gDevice) + " at " + mode + "\n" +
              "signalling: " + signallingText(gSignalling) + "\n" +
              "picture: " + pictureOnCardText() + "\n" +
              formatted("frames shown: %llu\n", static_cast<unsigned long long>(framesShown())));
}

// The colour words: which of red, green and blue are at the top of the
// range (the others at its bottom).
const struct {
  const char* word;
  bool r, g, b;
} kColourWords[] = {{"red", true, false, false},  {"green", false, true, false},
                    {"blue", false, false, true}, {"white", true, true, true},
                    {"black", false, false, false}};

// Acts on one typed command; returns false for a quit command.
bool runCommand(const char* text, Range* range, double* area) {
  auto is = [text](const char* word) { return std::strcmp(text, word) == 0; };
  uint16_t r, g, b;
  const uint16_t lo = range->lo, hi = range->hi;
  if (is("quit") || is("q") || is("exit")) return false;
  if (is("help")) {
    writeStdout(kCommands);
  } else if (is("full")) {
    *range = kFullRange;
    writeStdout("range: full (0-1023)\n");
  } else if (is("video") || is("legal")) {
    *range = kVideoRange;
    writeStdout("range: video (64-940)\n");
  } else if (is("align")) {
    showAlignmentFrame(*range);
  } else if (is("size3")) {
    *area = 3;
    writeStdout("patch: 3%\n");
  } else if (is("size10")) {
    *area = 10;
    writeStdout("patch: 10%\n");
  } else if (is("sizefull")) {
    *area = 100;
    writeStdout("patch: full\n");
  } else if (is("pattern") || std::strncmp(text, "pattern ", 8) == 0) {
    showNamedPattern(text, *range);
  } else if (is("status")) {
    printStatus();
  } else if (is("sdr") || is("hdr") || std::strncmp(text, "hdr ", 4) == 0) {
    changeSignalling(text);
  } else if (readThreeNumbers(text, &r, &g, &b)) {
    showColour(r, g, b, *range, *area);
  } else {
    for (const auto& colour : kColourWords) {
      if (!is(colour.word)) continue;
      showColour(colour.r ? hi : lo, colour.g ? hi : lo, colour.b ? hi : lo, *range, *area);
      return true;
    }
    writeStdout(std::string("unknown: ") + text + "\n");
  }
  return true;
}

}  // namespace

void runConsole() {
  writeStdout(kCommands);

  Range range = kVideoRange;
  double area = 10;
  InputLines input;
  char piece[128];
  for (;;) {
    writeStdout("patch> ");
    if (!readPiece(&input, piece, sizeof piece)) break;
    char* text = piece;
    while (*text == ' ' || *text == '\t') ++text;
    text[std::strcspn(text, "\r\n")] = '\0';
    if (*text == '\0') continue;
    if (!runCommand(text, &range, &area)) break;
  }
}
