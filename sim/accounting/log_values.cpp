#include "accounting/log_values.h"

#include "decklink/decklink_input_api.h"
#include "util/util.h"

std::string resultText(HRESULT result) {
  return stringPrintf("0x%08X", static_cast<unsigned>(result));
}

std::string fourCCText(uint32_t value) {
  char letters[5] = {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
                     static_cast<char>(value >> 8), static_cast<char>(value), '\0'};
  for (int i = 0; i < 4; ++i) {
    if (letters[i] < 0x21 || letters[i] > 0x7E) return stringPrintf("0x%08X", value);
  }
  return letters;
}

namespace {

struct NamedIID {
  const char* name;
  DeckLinkIID iid;
};

// Bytes in the order of the canonical string.
const NamedIID kNamedIIDs[] = {
    {"IUnknown", IID_IUnknown},
    {"IDeckLinkIterator", IID_IDeckLinkIterator},
    {"IDeckLink", IID_IDeckLink},
    {"IDeckLinkOutput", IID_IDeckLinkOutput},
    {"IDeckLinkConfiguration", IID_IDeckLinkConfiguration},
    {"IDeckLinkVideoFrame", IID_IDeckLinkVideoFrame},
    {"IDeckLinkMutableVideoFrame", IID_IDeckLinkMutableVideoFrame},
    {"IDeckLinkVideoBuffer", IID_IDeckLinkVideoBuffer},
    {"IDeckLinkProfileAttributes", IID_IDeckLinkProfileAttributes},
    {"IDeckLinkVideoFrameMetadataExtensions", IID_IDeckLinkVideoFrameMetadataExtensions},
    {"IDeckLinkVideoFrameMutableMetadataExtensions",
     IID_IDeckLinkVideoFrameMutableMetadataExtensions},
    {"IDeckLinkProfileAttributes_v15_3_1",
     {0x17, 0xD4, 0xBF, 0x8E, 0x49, 0x11, 0x47, 0x3A, 0x80, 0xA0, 0x73, 0x1C, 0xF6, 0xFF, 0x34,
      0x5B}},
    {"IDeckLinkAPIInformation", IID_IDeckLinkAPIInformation},
    {"IDeckLinkInput", IID_IDeckLinkInput},
    {"IDeckLinkInput_v15_3_1", IID_IDeckLinkInput_v15_3_1},
    {"IDeckLinkInput_v14_2_1", IID_IDeckLinkInput_v14_2_1},
    {"IDeckLinkVideoInputFrame", IID_IDeckLinkVideoInputFrame},
    {"IDeckLinkStatus", IID_IDeckLinkStatus},
    {"IDeckLinkStatus_v15_3_1", IID_IDeckLinkStatus_v15_3_1},
    {"IDeckLinkOutput_v15_3_1",
     {0x1A, 0x80, 0x77, 0xF1, 0x9F, 0xE2, 0x45, 0x33, 0x81, 0x47, 0x22, 0x94, 0x30, 0x5E, 0x25,
      0x3F}},
    {"IDeckLinkOutput_v14_2_1",
     {0xBE, 0x2D, 0x90, 0x20, 0x46, 0x1E, 0x44, 0x2F, 0x84, 0xB7, 0xE9, 0x49, 0xCB, 0x95, 0x3B,
      0x9D}},
    {"IDeckLinkOutput_v11_4",
     {0x06, 0x5A, 0x0F, 0x6C, 0xC5, 0x08, 0x4D, 0x0D, 0xB9, 0x19, 0xF5, 0xEB, 0x0E, 0xBF, 0xC9,
      0x6B}},
    {"IDeckLinkOutput_v10_11",
     {0xCC, 0x5C, 0x8A, 0x6E, 0x3F, 0x2F, 0x4B, 0x3A, 0x87, 0xEA, 0xFD, 0x78, 0xAF, 0x30, 0x05,
      0x64}},
    {"IDeckLinkConfiguration_v15_3_1",
     {0x91, 0x2F, 0x63, 0x4B, 0x2D, 0x4E, 0x40, 0xA4, 0x8A, 0xAB, 0x8D, 0x80, 0xB7, 0x3F, 0x12,
      0x89}},
    {"IDeckLinkVideoBuffer_v15_3_1",
     {0xCC, 0xB4, 0xB6, 0x4A, 0x5C, 0x86, 0x4E, 0x02, 0xB7, 0x78, 0x88, 0x5D, 0x35, 0x27, 0x09,
      0xFE}},
    {"IDeckLinkVideoFrame_v14_2_1",
     {0x3F, 0x71, 0x6F, 0xE0, 0xF0, 0x23, 0x41, 0x11, 0xBE, 0x5D, 0xEF, 0x44, 0x14, 0xC0, 0x5B,
      0x17}},
    {"IDeckLinkMutableVideoFrame_v14_2_1",
     {0x69, 0xE2, 0x63, 0x9F, 0x40, 0xDA, 0x4E, 0x19, 0xB6, 0xF2, 0x20, 0xAC, 0xE8, 0x15, 0xC3,
      0x90}},
};

}  // namespace

std::string iidName(const DeckLinkIID& iid) {
  for (const NamedIID& named : kNamedIIDs) {
    if (sameIID(named.iid, iid)) return named.name;
  }
  const DeckLinkIID& b = iid;
  return stringPrintf("%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X",
                      b.byte0, b.byte1, b.byte2, b.byte3, b.byte4, b.byte5, b.byte6, b.byte7,
                      b.byte8, b.byte9, b.byte10, b.byte11, b.byte12, b.byte13, b.byte14,
                      b.byte15);
}
