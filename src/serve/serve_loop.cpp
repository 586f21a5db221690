#include "serve/serve_loop.h"

#include <csignal>
#include <cstring>
#include <string>
#include <vector>

#include "decklink/device_hold.h"
#include "decklink/enumerate.h"
#include "decklink/held_card.h"
#include "decklink/mode_table.h"
#include "io/format.h"
#include "io/input_lines.h"
#include "io/safe_points.h"
#include "render/patch_rect.h"
#include "render/show_alignment.h"
#include "render/show_picture.h"
#include "serve/json_codec.h"

namespace {

enum class Command {
  kNone, kList, kQuit, kClose, kOpen, kSetMode, kAlign, kPatch, kModes, kHdr,
};

// The first word found decides, in this order, wherever it stands.
Command findCommand(const char* line) {
  static const struct {
    const char* word;
    Command command;
  } kWords[] = {
      {"\"list\"", Command::kList},
      {"\"quit\"", Command::kQuit},
      {"\"close\"", Command::kClose},
      {"\"open\"", Command::kOpen},
      {"\"setmode\"", Command::kSetMode},
      {"\"align\"", Command::kAlign},
      {"\"patch\"", Command::kPatch},
      // A new word goes last, so that no line that meant an earlier request
      // changes its meaning.
      {"\"modes\"", Command::kModes},
      {"\"hdr\"", Command::kHdr},
  };
  for (const auto& entry : kWords) {
    if (std::strstr(line, entry.word) != nullptr) return entry.command;
  }
  return Command::kNone;
}

// What the answer to the request being handled ends with: ,"id":N when
// the request carries an integer id, else nothing.
std::string gIdMember;

// Every answer passes a safe point first: a signal that came during the
// request's work ends the program here, before anything is written.
void answer(const std::string& line) {
  deliverPendingSignals();
  emit(gIdMember.empty() ? line : line.substr(0, line.size() - 1) + gIdMember + "}");
}

void answerFailure(const Failure& failed) { answer(errorLine(failed)); }

void answerBadRequest(const std::string& message) {
  answerFailure(failure(FailureCode::kBadRequest, message));
}

const char* flag(bool value) { return value ? "true" : "false"; }

std::string sizeResponse() {
  return "{\"ok\":true,\"width\":" + std::to_string(gMode->width) +
         ",\"height\":" + std::to_string(gMode->height) + "}";
}

void list() {
  std::vector<DeviceInfo> devices;
  if (!enumerate(&devices)) {
    answerFailure(failure(FailureCode::kNoApi, kNoApiMessage));
    return;
  }
  std::string line = "{\"ok\":true,\"devices\":[";
  for (size_t i = 0; i < devices.size(); ++i) {
    const DeviceInfo& device = devices[i];
    if (i > 0) line += ",";
    line += "{\"index\":" + std::to_string(i) + ",\"name\":\"" + jsonEscape(device.name) +
            "\",\"output\":" + flag(device.output) + ",\"usable\":" + flag(device.usable) +
            ",\"modes\":{";
    for (int m = 0; m < kModeCount; ++m) {
      if (m > 0) line += ",";
      line += std::string("\"") + kModes[m].name + "\":" + flag(device.modes[m]);
    }
    line += "}}";
  }
  answer(line + "]}");
}

// {"ok":true,"device":0,"name":"...","modes":{"hd":{"23.98":true,...},...}}
void modes(const char* line) {
  int index = 0;
  jsonInt(line, "device", &index);
  ModeTable table;
  const Failure read = readModeTable(index, &table);
  if (read.failed()) {
    answerFailure(read);
    return;
  }
  std::string answerLine = "{\"ok\":true,\"device\":" + std::to_string(index) +
                           ",\"name\":\"" + jsonEscape(table.name) + "\",\"modes\":{";
  for (int resolution = 0; resolution < kModeCount; ++resolution) {
    if (resolution > 0) answerLine += ",";
    answerLine += std::string("\"") + kModes[resolution].name + "\":{";
    for (int rate = 0; rate < kRateCount; ++rate) {
      if (rate > 0) answerLine += ",";
      answerLine += std::string("\"") + kRates[rate] +
                    "\":" + flag(table.supported[resolution][rate]);
    }
    answerLine += "}";
  }
  answer(answerLine + "}}");
}

// The signalling as the host reads it back: the EOTF and colour space, and
// for PQ the static metadata, luminance minimum in 0.0001 cd/m2.
std::string signallingAnswer(const Signalling& s) {
  std::string line = std::string("{\"ok\":true,\"eotf\":\"") + eotfName(s.eotf) +
                     "\",\"colorspace\":\"" + colourSpaceName(s.colourSpace) + "\"";
  if (s.eotf == Eotf::kPq) {
    line += std::string(",\"primaries\":\"") + primariesName(s.primaries) +
            "\",\"max_luminance\":" + std::to_string(s.maxLuminance) +
            ",\"min_luminance\":" + std::to_string(s.minLuminance) +
            ",\"max_cll\":" + std::to_string(s.maxCll) +
            ",\"max_fall\":" + std::to_string(s.maxFall);
  }
  return line + "}";
}

// Reads the named keys: `eotf` is required, `colorspace` and `primaries`
// keep signallingFor's values when absent. False after answering a bad
// request.
bool readSignallingNames(const char* line, Signalling* s) {
  char eotf[16] = "", colourSpace[16] = "", primaries[16] = "";
  jsonStr(line, "eotf", eotf, sizeof eotf);
  jsonStr(line, "colorspace", colourSpace, sizeof colourSpace);
  jsonStr(line, "primaries", primaries, sizeof primaries);
  Eotf parsed;
  if (eotf[0] == '\0' || !eotfByName(eotf, &parsed)) {
    answerBadRequest("hdr needs eotf: sdr, pq or hlg");
    return false;
  }
  *s = signallingFor(parsed);
  if (colourSpace[0] != '\0' && !colourSpaceByName(colourSpace, &s->colourSpace)) {
    answerBadRequest("colorspace must be rec709 or rec2020");
    return false;
  }
  if (primaries[0] != '\0' && !primariesByName(primaries, &s->primaries)) {
    answerBadRequest("primaries must be rec2020, p3d65 or rec709");
    return false;
  }
  return true;
}

void hdr(const char* line) {
  Signalling wanted;
  if (!readSignallingNames(line, &wanted)) return;
  jsonInt(line, "max_luminance", &wanted.maxLuminance);
  jsonInt(line, "min_luminance", &wanted.minLuminance);
  jsonInt(line, "max_cll", &wanted.maxCll);
  jsonInt(line, "max_fall", &wanted.maxFall);
  const Failure refused = setSignalling(wanted);
  if (refused.failed()) {
    answerFailure(refused);
    return;
  }
  answer(signallingAnswer(gSignalling));
}

// The frame's size after an open or a switch, or what refused it.
void answerSizeOr(const Failure& refused) {
  if (refused.failed()) {
    answerFailure(refused);
  } else {
    answer(sizeResponse());
  }
}

void open(const char* line) {
  int index = 0;
  char mode[16] = "hd";
  jsonInt(line, "device", &index);
  jsonStr(line, "mode", mode, sizeof mode);
  answerSizeOr(openDevice(index, mode));
}

void setMode(const char* line) {
  char mode[16] = "hd";
  jsonStr(line, "mode", mode, sizeof mode);
  const OutputMode* target = findMode(mode);
  if (target == nullptr) {
    answerBadRequest("unknown resolution");
    return;
  }
  answerSizeOr(switchMode(*target));
}

void align(const char* line) {
  int bg = 64, lineLevel = 546, cross = 721, a1 = 3, a2 = 10;
  jsonInt(line, "bg", &bg);
  jsonInt(line, "line", &lineLevel);
  jsonInt(line, "cross", &cross);
  jsonInt(line, "a1", &a1);
  jsonInt(line, "a2", &a2);
  PatchRect inner, outer;
  const Failure shown = showAlignment(static_cast<uint16_t>(bg), static_cast<uint16_t>(lineLevel),
                                      static_cast<uint16_t>(cross), a1, a2, &inner, &outer);
  if (shown.failed()) {
    answerFailure(shown);
    return;
  }
  answer("{\"ok\":true,\"inner\":{\"w\":" + std::to_string(inner.w) +
         ",\"h\":" + std::to_string(inner.h) + "},\"outer\":{\"w\":" +
         std::to_string(outer.w) + ",\"h\":" + std::to_string(outer.h) + "}}");
}

bool isLevel(int value) { return value >= 0 && value <= 1023; }

// Moves `rect`, a patch of the held mode, so that its top-left pixel is at
// (x, y); false after answering bad_request when it would not lie inside
// the frame.
bool placePatch(int x, int y, PatchRect* rect) {
  const int lastX = gMode->width - rect->w, lastY = gMode->height - rect->h;
  if (x < 0 || y < 0 || x > lastX || y > lastY) {
    answerBadRequest(
        formatted("x and y must put the patch inside the frame: x 0-%d and y 0-%d for "
                  "%dx%d at %dx%d",
                  lastX, lastY, rect->w, rect->h, gMode->width, gMode->height));
    return false;
  }
  rect->x = x;
  rect->y = y;
  return true;
}

void patch(const char* line) {
  int r = 0, g = 0, b = 0, bgR = 0, bgG = 0, bgB = 0, area = 100;
  if (!jsonInt(line, "r", &r) || !jsonInt(line, "g", &g) || !jsonInt(line, "b", &b)) {
    answerBadRequest("patch needs r, g and b");
    return;
  }
  jsonInt(line, "bg_r", &bgR);
  jsonInt(line, "bg_g", &bgG);
  jsonInt(line, "bg_b", &bgB);
  jsonInt(line, "area", &area);
  if (!isLevel(r) || !isLevel(g) || !isLevel(b) || !isLevel(bgR) || !isLevel(bgG) ||
      !isLevel(bgB)) {
    answerBadRequest("values must be 0-1023 (10-bit)");
    return;
  }
  if (area < 1 || area > 100) {
    answerBadRequest("area must be 1-100");
    return;
  }
  const Failure held = checkFrameHeld();
  if (held.is(FailureCode::kNotOpen)) {
    answerFailure(held);
    return;
  }
  int x = 0, y = 0;
  const bool positioned = jsonInt(line, "x", &x);
  if (positioned != jsonInt(line, "y", &y)) {
    answerBadRequest("patch needs both x and y, or neither");
    return;
  }
  if (held.failed()) {  // held without a frame
    answerFailure(held);
    return;
  }
  PatchRect rect = patchRectForArea(area, gMode->width, gMode->height);
  if (positioned && !placePatch(x, y, &rect)) return;
  const Failure shown = showPicture({{uint16_t(bgR), uint16_t(bgG), uint16_t(bgB)},
                                     {{rect, {uint16_t(r), uint16_t(g), uint16_t(b)}}}});
  if (shown.failed()) {
    answerFailure(shown);
    return;
  }
  answer("{\"ok\":true,\"x\":" + std::to_string(rect.x) + ",\"y\":" + std::to_string(rect.y) +
         ",\"w\":" + std::to_string(rect.w) + ",\"h\":" + std::to_string(rect.h) + "}");
}

}  // namespace

bool serveRequest(const char* line) {
  std::string id;
  gIdMember = jsonIntegerText(line, "id", &id) ? ",\"id\":" + id : "";
  switch (findCommand(line)) {
    case Command::kNone: answerBadRequest("unrecognised command"); break;
    case Command::kList: list(); break;
    case Command::kQuit: return false;
    case Command::kClose:
      closeDevice();
      answer("{\"ok\":true}");
      break;
    case Command::kOpen: open(line); break;
    case Command::kSetMode: setMode(line); break;
    case Command::kAlign: align(line); break;
    case Command::kPatch: patch(line); break;
    case Command::kModes: modes(line); break;
    case Command::kHdr: hdr(line); break;
  }
  return true;
}

void serve() {
  installReleaseOnSignal(onSignal);
  // A host that closes its end must not kill the program while it holds a
  // card: writes then fail quietly, and end of input releases the card.
  std::signal(SIGPIPE, SIG_IGN);
  emit("{\"ok\":true,\"ready\":true}");
  InputLines input;
  char line[512];
  while (readPiece(&input, line, sizeof line)) {
    if (!serveRequest(line)) break;
  }
  closeDevice();
  allowSignals();
}
