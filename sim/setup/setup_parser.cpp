#include "setup/setup_parser.h"

#include "setup/device_keys.h"
#include "setup/setup_values.h"

namespace {

enum class Section { kNone, kDevice, kApi, kIterator, kFaults, kCapture, kLog, kHold };

const char kSpaces[] = " \t\r";

std::string trimmed(const std::string& text) {
  size_t first = text.find_first_not_of(kSpaces);
  if (first == std::string::npos) return std::string();
  size_t last = text.find_last_not_of(kSpaces);
  return text.substr(first, last - first + 1);
}

bool readSection(const std::string& line, Section* section, std::string* problem) {
  if (line.back() != ']') {
    *problem = "a section line must end in ']'";
    return false;
  }
  const std::string name = trimmed(line.substr(1, line.size() - 2));
  static const struct {
    const char* name;
    Section section;
  } kSections[] = {
      {"device", Section::kDevice},     {"api", Section::kApi},
      {"iterator", Section::kIterator}, {"faults", Section::kFaults},
      {"capture", Section::kCapture},   {"log", Section::kLog},
      {"hold", Section::kHold},
  };
  for (const auto& known : kSections) {
    if (name == known.name) {
      *section = known.section;
      return true;
    }
  }
  *problem = "unknown section [" + name + "]";
  return false;
}

bool unknownKey(const std::string& key, const char* section, std::string* problem) {
  *problem = "unknown key '" + key + "' in [" + section + "]";
  return false;
}

bool applyIteratorKey(const std::string& key, const std::string& value, IteratorSetup* out,
                      std::string* problem) {
  if (key == "fail_after") return readCount(value, 0, &out->failAfter, problem);
  if (key == "fail_result") return readResult(value, &out->failResult, problem);
  if (key == "null_at") return readCount(value, 0, &out->nullAt, problem);
  if (key == "entry_point") {
    if (value == "null") {
      out->entryPointNull = true;
      return true;
    }
    if (value == "normal") {
      out->entryPointNull = false;
      return true;
    }
    *problem = "expected null or normal, not '" + value + "'";
    return false;
  }
  return unknownKey(key, "iterator", problem);
}

bool applyFaultKey(const std::string& key, const std::string& value, FaultSetup* out,
                   std::string* problem) {
  if (key == "fail_call") return readCount(value, 1, &out->failCall, problem);
  if (key == "fail_result") return readResult(value, &out->failResult, problem);
  if (key == "fail_method") {
    if (value.find('.') == std::string::npos) {
      *problem = "expected <Object>.<Method> (Input.StartStreams), not '" + value + "'";
      return false;
    }
    out->failMethods.push_back(value);
    return true;
  }
  return unknownKey(key, "faults", problem);
}

bool readPath(const std::string& value, std::string* out, std::string* problem) {
  if (value.empty()) {
    *problem = "expected a path";
    return false;
  }
  *out = value;
  return true;
}

bool applyKey(Section section, const std::string& key, const std::string& value, int lineNumber,
              SimSetup* setup, std::string* problem) {
  switch (section) {
    case Section::kNone:
      *problem = "'" + key + "' comes before any [section]";
      return false;
    case Section::kDevice:
      return applyDeviceKey(key, value, &setup->cards.back(), problem);
    case Section::kApi:
      if (key == "version") return readVersion(value, &setup->api.version, problem);
      if (key == "interfaces_16") return readBool(value, &setup->api.interfaces16, problem);
      return unknownKey(key, "api", problem);
    case Section::kIterator:
      return applyIteratorKey(key, value, &setup->iterator, problem);
    case Section::kFaults:
      return applyFaultKey(key, value, &setup->faults, problem);
    case Section::kCapture:
      if (key == "directory") return readPath(value, &setup->captureDirectory, problem);
      if (key == "memory") return readBool(value, &setup->captureMemory, problem);
      return unknownKey(key, "capture", problem);
    case Section::kLog:
      if (key == "memory") return readBool(value, &setup->logMemory, problem);
      if (key != "file") return unknownKey(key, "log", problem);
      setup->logFileLine = lineNumber;
      return readPath(value, &setup->logFile, problem);
    case Section::kHold:
      if (key == "directory") return readPath(value, &setup->holdDirectory, problem);
      return unknownKey(key, "hold", problem);
  }
  return false;
}

}  // namespace

bool splitKeyValue(const std::string& line, std::string* key, std::string* value) {
  size_t equals = line.find('=');
  if (equals == std::string::npos) return false;
  *key = trimmed(line.substr(0, equals));
  *value = trimmed(line.substr(equals + 1));
  return !key->empty();
}

bool parseSetupText(const std::string& text, SimSetup* setup, SetupTextError* error) {
  *setup = SimSetup();
  Section section = Section::kNone;
  int lineNumber = 0;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = trimmed(text.substr(start, end - start));
    start = end + 1;
    ++lineNumber;
    // '#' starts a comment only at the start of a line, so a name or a path
    // may contain it.
    if (line.empty() || line[0] == '#') continue;
    std::string problem;
    bool ok;
    if (line[0] == '[') {
      ok = readSection(line, &section, &problem);
      if (ok && section == Section::kDevice) {
        setup->cards.push_back(defaultCard(static_cast<int>(setup->cards.size())));
      }
    } else {
      std::string key, value;
      ok = splitKeyValue(line, &key, &value);
      if (!ok) problem = "expected 'key = value'";
      if (ok) ok = applyKey(section, key, value, lineNumber, setup, &problem);
    }
    if (!ok) {
      error->line = lineNumber;
      error->message = problem;
      *setup = SimSetup();
      return false;
    }
  }
  return true;
}
