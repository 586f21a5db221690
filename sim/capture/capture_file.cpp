#include "capture/capture_file.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char kMagic[] = "DeckLinkSimFrame 1";
const char kMagicWithMetadata[] = "DeckLinkSimFrame 2";
// No real frame comes near this; it keeps a damaged header from asking
// for an absurd allocation.
const uint64_t kLargestFrame = uint64_t{1} << 30;

std::string systemProblem(const std::string& what, const std::string& path) {
  return what + " " + path + ": " + std::strerror(errno);
}

// Reads one '\n'-terminated header line (without the '\n').
bool readLine(std::FILE* file, std::string* line) {
  line->clear();
  for (int c; (c = std::fgetc(file)) != EOF;) {
    if (c == '\n') return true;
    line->push_back(static_cast<char>(c));
    if (line->size() > 64) return false;
  }
  return false;
}

// Reads "<name> <decimal>" with the value in [minimum, maximum].
bool readField(std::FILE* file, const char* name, long long minimum, long long maximum,
               long long* value) {
  std::string line;
  const std::string prefix = std::string(name) + " ";
  if (!readLine(file, &line) || line.compare(0, prefix.size(), prefix) != 0) return false;
  const std::string digits = line.substr(prefix.size());
  if (digits.empty() || digits.size() > 19 ||
      digits.find_first_not_of("0123456789") != std::string::npos) {
    return false;
  }
  *value = std::stoll(digits);
  return *value >= minimum && *value <= maximum;
}

// "metadata <id> int|float <value>", with an id the card keeps and a value
// of its kind.
bool readMetadataLine(const std::string& line, MetadataValue* value) {
  char id[5], kind[6], number[40];
  char extra;
  if (std::sscanf(line.c_str(), "metadata %4s %5s %39s %c", id, kind, number, &extra) != 3 ||
      std::strlen(id) != 4) {
    return false;
  }
  value->id = (uint32_t(uint8_t(id[0])) << 24) | (uint32_t(uint8_t(id[1])) << 16) |
              (uint32_t(uint8_t(id[2])) << 8) | uint32_t(uint8_t(id[3]));
  value->isFloat = std::strcmp(kind, "float") == 0;
  if (metadataIdIndex(value->id) < 0 || value->isFloat != metadataIdIsFloat(value->id) ||
      (!value->isFloat && std::strcmp(kind, "int") != 0)) {
    return false;
  }
  char* end = nullptr;
  errno = 0;
  if (value->isFloat) {
    value->floatValue = std::strtod(number, &end);
  } else {
    value->intValue = std::strtoll(number, &end, 10);
  }
  return errno == 0 && end != number && *end == '\0';
}

// The lines of version 2 between "sequence" and the empty line.
bool readMetadata(std::FILE* file, FrameMetadata* metadata) {
  long long flags;
  if (!readField(file, "flags", 0, UINT32_MAX, &flags)) return false;
  metadata->flags = static_cast<uint32_t>(flags);
  for (std::string line; readLine(file, &line);) {
    if (line.empty()) return true;
    MetadataValue value;
    if (!readMetadataLine(line, &value) || metadata->values.size() >= 64) return false;
    metadata->values.push_back(value);
  }
  return false;
}

bool readHeader(std::FILE* file, CaptureHeader* header) {
  std::string line;
  long long width, height, rowBytes, sequence;
  if (!readLine(file, &line) || (line != kMagic && line != kMagicWithMetadata)) return false;
  const bool withMetadata = line == kMagicWithMetadata;
  if (!readField(file, "width", 1, 1 << 16, &width)) return false;
  if (!readField(file, "height", 1, 1 << 16, &height)) return false;
  if (!readField(file, "row_bytes", 4 * width, 1 << 21, &rowBytes)) return false;
  if (!readLine(file, &line) || line != "pixel_format r210") return false;
  if (!readField(file, "sequence", 0, INT64_MAX, &sequence)) return false;
  FrameMetadata metadata;
  if (withMetadata) {
    if (!readMetadata(file, &metadata)) return false;
  } else if (!readLine(file, &line) || !line.empty()) {
    return false;
  }
  header->width = static_cast<int32_t>(width);
  header->height = static_cast<int32_t>(height);
  header->rowBytes = static_cast<int32_t>(rowBytes);
  header->sequence = static_cast<uint64_t>(sequence);
  header->metadata = metadata;
  return true;
}

// The header as version 1, or as version 2 when the frame carried metadata.
std::string headerText(const CaptureHeader& header) {
  const FrameMetadata& metadata = header.metadata;
  std::string text = std::string(metadata.any() ? kMagicWithMetadata : kMagic) + "\n";
  text += "width " + std::to_string(header.width) + "\nheight " + std::to_string(header.height) +
          "\nrow_bytes " + std::to_string(header.rowBytes) + "\npixel_format r210\nsequence " +
          std::to_string(header.sequence) + "\n";
  if (metadata.any()) {
    text += "flags " + std::to_string(metadata.flags) + "\n";
    for (const MetadataValue& value : metadata.values) {
      // Integers in decimal here, the colour space too, so a reader needs
      // no table of which id holds a FourCC.
      text += "metadata " + metadataIdText(value.id) +
              (value.isFloat ? " float " + shortestDecimal(value.floatValue)
                             : " int " + std::to_string(value.intValue)) +
              "\n";
    }
  }
  return text + "\n";
}

}  // namespace

bool writeCaptureFile(const std::string& path, const CaptureHeader& header,
                      const unsigned char* bytes, std::string* problem) {
  // A dot name in the same directory: hidden from "*.r210", and the rename
  // cannot cross file systems.
  const size_t slash = path.find_last_of('/');
  const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  const std::string temporary =
      path.substr(0, nameStart) + "." + path.substr(nameStart) + ".partial";
  std::FILE* file = std::fopen(temporary.c_str(), "wbe");
  if (file == nullptr) {
    *problem = systemProblem("cannot create", temporary);
    return false;
  }
  const size_t size = static_cast<size_t>(header.height) * static_cast<size_t>(header.rowBytes);
  const std::string text = headerText(header);
  bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  // One fwrite: a 4K frame is 35 MB, and stdio passes a large block
  // straight to write().
  ok = ok && std::fwrite(bytes, 1, size, file) == size;
  ok = (std::fclose(file) == 0) && ok;
  if (!ok) {
    *problem = systemProblem("cannot write", temporary);
    std::remove(temporary.c_str());
    return false;
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    *problem = systemProblem("cannot rename to", path);
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

bool readCaptureFile(const std::string& path, CaptureHeader* header, unsigned char** bytes,
                     std::string* problem) {
  *bytes = nullptr;
  std::FILE* file = std::fopen(path.c_str(), "rbe");
  if (file == nullptr) {
    *problem = systemProblem("cannot open", path);
    return false;
  }
  CaptureHeader parsed;
  bool ok = readHeader(file, &parsed);
  if (!ok) *problem = path + ": not a capture file (bad header)";
  const uint64_t size = uint64_t(parsed.height) * uint64_t(parsed.rowBytes);
  unsigned char* data = nullptr;
  if (ok && size <= kLargestFrame) data = static_cast<unsigned char*>(std::malloc(size));
  if (ok && data == nullptr) {
    *problem = path + ": frame too large";
    ok = false;
  }
  if (ok && std::fread(data, 1, size, file) != size) {
    *problem = path + ": shorter than its header says";
    ok = false;
  }
  if (ok && std::fgetc(file) != EOF) {
    *problem = path + ": longer than its header says";
    ok = false;
  }
  std::fclose(file);
  if (!ok) {
    std::free(data);
    return false;
  }
  *header = parsed;
  *bytes = data;
  return true;
}
