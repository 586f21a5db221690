#include "net/pgen/command.h"

#include "io/format.h"
#include "net/pgen/command_reader.h"
#include "net/pgen/patch_command.h"
#include "net/pgen/template_blocks.h"

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

PgenResponse badCommand(const std::string& command, const std::string& problem) {
  return reply("ERR:bad command", "bad command: " + printableText(command) + " (" + problem + ")");
}

// Text is not drawn; the server says so once per run, not per command.
PgenResponse textLeftOut(const std::string& text) {
  PgenResponse response = reply(text);
  response.textLeftOut = true;
  return response;
}

// The picture's line is printed once it is on the card.
PgenResponse paint(const Picture& picture) {
  PgenResponse response = reply("OK");
  response.action = PgenAction::kPaint;
  response.picture = picture;
  return response;
}

PgenResponse patchResponse(const std::string& command, const PgenFacts& facts) {
  if (command.substr(4, command.find(';') - 4) == "TEXT") return textLeftOut("ERR:unsupported");
  PgenPatch patch;
  const Failure read = readPatchCommand(command.substr(4), facts.width, facts.height, &patch);
  if (read.is(FailureCode::kUnsupported)) return unsupported(command, read.message);
  if (read.failed()) return badCommand(command, read.message);
  return paint({patch.background, {patch.window}});
}

const char kUpload[] = "TEMPLATERAMDISK:";

// The end of the name in "SETCONF:<name>:TEMPLATERAMDISK:...", or npos when
// the command is no template upload.
size_t uploadNameEnd(const std::string& command) {
  const size_t end = command.find(':', std::string("SETCONF:").size());
  return end != std::string::npos && command.compare(end + 1, sizeof kUpload - 1, kUpload) == 0
             ? end
             : std::string::npos;
}

PgenResponse uploadResponse(const std::string& command, size_t nameEnd, const PgenFacts& facts,
                            PgenTemplates* templates) {
  const size_t nameStart = std::string("SETCONF:").size();
  const std::string name = command.substr(nameStart, nameEnd - nameStart);
  const std::string blocks = command.substr(nameEnd + sizeof kUpload);
  PgenTemplate read;
  const Failure blocksRead = readTemplateBlocks(blocks, facts.width, facts.height, &read);
  if (blocksRead.is(FailureCode::kUnsupported)) return unsupported(command, blocksRead.message);
  if (blocksRead.failed()) {
    return reply("ERR:bad template",
                 "bad template: " + printableText(command) + " (" + blocksRead.message + ")");
  }
  const std::string shown = "template '" + printableText(name, kQuotedName) + "'";
  if (!templates->put(name, read, name.size() + blocks.size())) {
    return reply("ERR:template store full",
                 formatted("%s not stored: corvane keeps at most %zu templates and %zu bytes of "
                           "them",
                           shown.c_str(), kMaxPgenTemplates, kMaxPgenTemplateBytes));
  }
  const size_t rects = read.rects.size(), texts = read.textBlocks;
  PgenResponse response =
      reply("OK", formatted("%s stored: %zu rectangle%s, %zu text block%s", shown.c_str(), rects,
                            rects == 1 ? "" : "s", texts, texts == 1 ? "" : "s"));
  response.textLeftOut = read.textBlocks > 0;
  return response;
}

// "<prefix><name>:<fields>" split at the colon after the name.
void nameAndFields(const std::string& command, size_t prefix, std::string* name,
                   std::string* fields) {
  const size_t colon = command.find(':', prefix);
  *name = command.substr(prefix, colon == std::string::npos ? colon : colon - prefix);
  *fields = colon == std::string::npos ? "" : command.substr(colon + 1);
}

PgenResponse notDrawn(const std::string& code, const std::string& command, const std::string& why) {
  return reply(code, "not drawn: " + printableText(command) + " (" + why + ")");
}

// TESTTEMPLATERAMDISK:<name>:r,g,b;R,G,B
PgenResponse templateResponse(const std::string& command, const PgenTemplates& templates) {
  std::string name, fields;
  nameAndFields(command, std::string("TESTTEMPLATERAMDISK:").size(), &name, &fields);
  const std::string shown = "template '" + printableText(name, kQuotedName) + "'";
  const PgenTemplate* found = templates.find(name);
  if (found == nullptr) {
    return notDrawn("ERR:unknown template", command, "no " + shown + " was uploaded");
  }
  if (found->rects.empty()) return notDrawn("ERR:no rectangle", command, shown + " has none");
  const size_t semicolon = fields.find(';');
  if (semicolon == std::string::npos) return badCommand(command, "'r,g,b;R,G,B' needed");
  Rgb10 colour, background;
  for (const Failure& step :
       {readPgenColour(fields.substr(0, semicolon), "colour", 255, &colour),
        readPgenColour(fields.substr(semicolon + 1), "background", 255, &background)}) {
    if (step.failed()) return badCommand(command, step.message);
  }
  Picture picture{background, {}};
  for (const PgenTemplateRect& rect : found->rects) {
    picture.rects.push_back({rect.rect, rect.dynamic ? colour : rect.colour});
  }
  PgenResponse response = paint(picture);
  response.textLeftOut = found->textBlocks > 0;
  return response;
}

// TESTTEMPLATE:PatternDynamic:r,g,b and TESTTEMPLATEDISK:PatternDynamic:r,g,b,
// the generator's own template, which HCFR uses as a full field of one
// colour.
PgenResponse patternDynamicResponse(const std::string& command, const PgenFacts& facts) {
  std::string name, fields;
  nameAndFields(command, command.find(':') + 1, &name, &fields);
  if (name != "PatternDynamic") {
    return notDrawn("ERR:unknown template", command,
                    "of the generator's own templates corvane draws PatternDynamic alone");
  }
  Rgb10 colour;
  const Failure read = readPgenColour(fields, "colour", 255, &colour);
  if (read.failed()) return badCommand(command, read.message);
  return paint({colour, {{{0, 0, facts.width, facts.height}, colour}}});
}

PgenResponse multipleResponse(const std::string& command, const PgenFacts& facts) {
  std::string text = "OK:", unknown;
  size_t start = std::string("CMD:MULTIPLE:").size();
  while (start <= command.size()) {
    size_t end = command.find(':', start);
    if (end == std::string::npos) end = command.size();
    const std::string name = command.substr(start, end - start);
    std::string value;
    if (pgenQueryValue(name, facts, &value)) {
      text += "\n" + name + ":" + value;
    } else if (!name.empty()) {
      unknown += (unknown.empty() ? "" : ", ") + printableText(name, kQuotedName);
    }
    start = end + 1;
  }
  return reply(text, unknown.empty() ? "" : "unsupported queries in CMD:MULTIPLE: " + unknown);
}

PgenResponse settingResponse(const std::string& command, const std::string& text) {
  PgenResponse response = reply(text);
  response.action = PgenAction::kSetting;
  response.setting = readPgenSetting(command);
  return response;
}

PgenResponse cmdResponse(const std::string& command, const PgenFacts& facts) {
  const std::string name = command.substr(4);
  std::string value;
  if (name == "GET_MODE" && pgenQueryValue(name, facts, &value)) return reply(value);
  if (pgenQueryValue(name, facts, &value)) return reply("OK:" + value);
  if (startsWith(name, "MULTIPLE:")) return multipleResponse(command, facts);
  if (startsWith(name, "SET_")) return settingResponse(command, "OK:");
  if (name == "HALT" || name == "REBOOT") {
    return reply("OK:", "ignored: " + name + " (corvane does not halt or restart the computer)");
  }
  return unsupported(command);
}

}  // namespace

PgenResponse interpretPgenCommand(const std::string& command, const PgenFacts& facts,
                                  PgenTemplates* templates) {
  if (command == "IS_ALIVE") return reply("ALIVE");
  if (command == "QUIT") {
    PgenResponse response = reply("");
    response.action = PgenAction::kQuit;
    return response;
  }
  if (startsWith(command, "RGB=")) return patchResponse(command, facts);
  if (startsWith(command, "CMD:")) return cmdResponse(command, facts);
  if (startsWith(command, "RESTARTPGENERATOR:")) {
    return reply("OK:", "ignored: RESTARTPGENERATOR (corvane has nothing to restart)");
  }
  if (startsWith(command, "TESTTEMPLATERAMDISK:")) return templateResponse(command, *templates);
  if (startsWith(command, "TESTTEMPLATE:") || startsWith(command, "TESTTEMPLATEDISK:")) {
    return patternDynamicResponse(command, facts);
  }
  if (startsWith(command, "SETCONF:")) {
    const size_t nameEnd = uploadNameEnd(command);
    if (nameEnd != std::string::npos) return uploadResponse(command, nameEnd, facts, templates);
    return settingResponse(command, "OK");
  }
  return unsupported(command);
}
