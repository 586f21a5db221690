#include "capture/capture_file.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char kMagic[] = "DeckLinkSimFrame 1";
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

bool readHeader(std::FILE* file, CaptureHeader* header) {
  std::string line;
  long long width, height, rowBytes, sequence;
  if (!readLine(file, &line) || line != kMagic) return false;
  if (!readField(file, "width", 1, 1 << 16, &width)) return false;
  if (!readField(file, "height", 1, 1 << 16, &height)) return false;
  if (!readField(file, "row_bytes", 4 * width, 1 << 21, &rowBytes)) return false;
  if (!readLine(file, &line) || line != "pixel_format r210") return false;
  if (!readField(file, "sequence", 0, INT64_MAX, &sequence)) return false;
  if (!readLine(file, &line) || !line.empty()) return false;
  header->width = static_cast<int32_t>(width);
  header->height = static_cast<int32_t>(height);
  header->rowBytes = static_cast<int32_t>(rowBytes);
  header->sequence = static_cast<uint64_t>(sequence);
  return true;
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
  bool ok = std::fprintf(file, "%s\nwidth %d\nheight %d\nrow_bytes %d\npixel_format r210\n"
                               "sequence %llu\n\n",
                         kMagic, header.width, header.height, header.rowBytes,
                         static_cast<unsigned long long>(header.sequence)) > 0;
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
