#include "capture/frame_metadata.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr uint32_t letters(const char (&s)[5]) {
  return (uint32_t(uint8_t(s[0])) << 24) | (uint32_t(uint8_t(s[1])) << 16) |
         (uint32_t(uint8_t(s[2])) << 8) | uint32_t(uint8_t(s[3]));
}

constexpr uint32_t kColourSpace = letters("cspc");
constexpr int kIntegerIds = 2;

}  // namespace

const uint32_t kMetadataIds[] = {
    kColourSpace,    letters("eotf"), letters("hdrx"), letters("hdry"), letters("hdgx"),
    letters("hdgy"), letters("hdbx"), letters("hdby"), letters("hdwx"), letters("hdwy"),
    letters("hdml"), letters("hmil"), letters("mcll"), letters("fall"),
};
const int kMetadataIdCount = sizeof kMetadataIds / sizeof kMetadataIds[0];

int metadataIdIndex(uint32_t id) {
  for (int i = 0; i < kMetadataIdCount; ++i) {
    if (kMetadataIds[i] == id) return i;
  }
  return -1;
}

bool metadataIdIsFloat(uint32_t id) { return metadataIdIndex(id) >= kIntegerIds; }

std::string metadataIdText(uint32_t id) {
  const char text[5] = {char(id >> 24), char(id >> 16), char(id >> 8), char(id), '\0'};
  for (int i = 0; i < 4; ++i) {
    if (text[i] < 0x21 || text[i] > 0x7E) {
      char hex[11];
      std::snprintf(hex, sizeof hex, "0x%08X", id);
      return hex;
    }
  }
  return text;
}

std::string shortestDecimal(double value) {
  char text[32];
  // Whole numbers are written out ("1000", not "1e+03").
  for (int digits = 1; digits <= 17; ++digits) {
    std::snprintf(text, sizeof text, "%.*g", digits, value);
    if (std::strtod(text, nullptr) == value && std::strstr(text, "e+") == nullptr) break;
  }
  return text;
}

std::string metadataValueText(const MetadataValue& value) {
  if (value.isFloat) return shortestDecimal(value.floatValue);
  if (value.id == kColourSpace) return metadataIdText(static_cast<uint32_t>(value.intValue));
  return std::to_string(value.intValue);
}

std::string frameMetadataText(const FrameMetadata& metadata) {
  char flags[16];
  std::snprintf(flags, sizeof flags, "flags=0x%X", metadata.flags);
  std::string text = flags;
  for (const MetadataValue& value : metadata.values) {
    text += " " + metadataIdText(value.id) + "=" + metadataValueText(value);
  }
  return text;
}
