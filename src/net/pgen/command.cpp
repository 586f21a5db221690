#include "net/pgen/command.h"

#include "net/pgen/command_reader.h"
#include "net/printable_text.h"

const char kPgenNotShownReply[] = "ERR:not shown\x02\x0D";
const char kPgenNotAppliedReply[] = "ERR:not applied\x02\x0D";

namespace {

bool startsWith(const std::string& text, const char* prefix) {
  return text.compare(0, std::string(prefix).size(), prefix) == 0;
}

PgenResponse reply(const std::string& text, const std::string& line = "") {
  PgenResponse response;
  response.reply = text + kPgenEnd;
  response.line = line;
  return response;
}

PgenResponse unsupported(const std::string& command, const std::string& why = "") {
  const std::string shown = command.empty() ? "(empty)" : printableText(command);
  return reply("ERR:unsupported",
               "unsupported command: " + shown + (why.empty() ? "" : " (" + why + ")"));
}

PgenResponse patchResponse(const std::string& command, const PgenScreen& screen) {
  PgenPatch patch;
  std::string problem;
  switch (readPatchCommand(command.substr(4), screen.width, screen.height, &patch, &problem)) {
    case PatchRead::kUnsupported: return unsupported(command, problem);
    case PatchRead::kBad:
      return reply("ERR:bad command",
                   "bad command: " + printableText(command) + " (" + problem + ")");
    case PatchRead::kPatch: break;
  }
  PgenResponse response = reply("OK", pictureLine(patch.background, {patch.window}));
  response.action = PgenAction::kPaint;
  response.patch = patch;
  return response;
}

PgenResponse multipleResponse(const std::string& command, const PgenScreen& screen) {
  std::string text = "OK:", unknown;
  size_t start = std::string("CMD:MULTIPLE:").size();
  while (start <= command.size()) {
    size_t end = command.find(':', start);
    if (end == std::string::npos) end = command.size();
    const std::string name = command.substr(start, end - start);
    std::string value;
    if (pgenQueryValue(name, screen, &value)) {
      text += "\n" + name + ":" + value;
    } else if (!name.empty()) {
      unknown += (unknown.empty() ? "" : ", ") + printableText(name, 60);
    }
    start = end + 1;
  }
  return reply(text, unknown.empty() ? "" : "unsupported queries in CMD:MULTIPLE: " + unknown);
}

PgenResponse cmdResponse(const std::string& command, const PgenScreen& screen) {
  const std::string name = command.substr(4);
  std::string value;
  if (name == "GET_MODE" && pgenQueryValue(name, screen, &value)) return reply(value);
  if (pgenQueryValue(name, screen, &value)) return reply("OK:" + value);
  if (startsWith(name, "MULTIPLE:")) return multipleResponse(command, screen);
  if (startsWith(name, "SET_")) {
    PgenResponse response = reply("OK:");
    response.action = PgenAction::kSetting;
    return response;
  }
  if (name == "HALT" || name == "REBOOT") {
    return reply("OK:", "ignored: " + name + " (corvane does not halt or restart the computer)");
  }
  return unsupported(command);
}

}  // namespace

PgenResponse interpretPgenCommand(const std::string& command, const PgenScreen& screen) {
  if (command == "IS_ALIVE") return reply("ALIVE");
  if (command == "QUIT") {
    PgenResponse response = reply("");
    response.action = PgenAction::kQuit;
    return response;
  }
  if (startsWith(command, "RGB=")) return patchResponse(command, screen);
  if (startsWith(command, "CMD:")) return cmdResponse(command, screen);
  if (startsWith(command, "RESTARTPGENERATOR:")) {
    return reply("OK:", "ignored: RESTARTPGENERATOR (corvane has nothing to restart)");
  }
  // HCFR's templates: what their fields mean is not known well enough to
  // draw them (what "BG=-1,-1,-1" stands for, which triplet is which), so
  // they are acknowledged, and the server says once how to avoid them.
  const bool templateUpload =
      startsWith(command, "SETCONF:") && command.find("TEMPLATE") != std::string::npos;
  if (templateUpload || startsWith(command, "TESTTEMPLATE")) {
    PgenResponse response = reply("OK");
    response.templateCommand = true;
    return response;
  }
  if (startsWith(command, "SETCONF:")) {
    PgenResponse response = reply("OK");
    response.action = PgenAction::kSetting;
    return response;
  }
  return unsupported(command);
}
