#include "support/card_calls.h"

#include <gtest/gtest.h>

#include "decklink/display_name.h"

namespace {

// What RowBytesForPixelFormat('r210', width) answers on a card without
// padding (sim/README.md), for the widths tests use. Written out rather
// than asked for, so that making a frame adds no call to the log.
int32_t r210RowBytes(int32_t width) {
  switch (width) {
    case 64: return 256;
    case 1920: return 7680;
    case 3840: return 15360;
    case 4096: return 16384;
  }
  ADD_FAILURE() << "no row size listed for width " << width;
  return 0;
}

}  // namespace

IDeckLink* device(int index) {
  IDeckLinkIterator* iterator = CreateDeckLinkIteratorInstance_0004();
  if (iterator == nullptr) return nullptr;
  IDeckLink* found = nullptr;
  for (int position = 0; position <= index; ++position) {
    if (found != nullptr) found->Release();
    found = nullptr;
    if (iterator->Next(&found) != kS_OK || found == nullptr) break;
  }
  iterator->Release();
  return found;
}

IDeckLinkOutput* outputOf(IDeckLink* card) {
  void* output = nullptr;
  EXPECT_EQ(kS_OK, card->QueryInterface(IID_IDeckLinkOutput, &output));
  return static_cast<IDeckLinkOutput*>(output);
}

IDeckLinkOutput* enabledOutput(BMDDisplayMode mode) {
  IDeckLink* card = device(0);
  if (card == nullptr) return nullptr;
  IDeckLinkOutput* output = outputOf(card);
  card->Release();
  EXPECT_EQ(kS_OK, output->EnableVideoOutput(mode, bmdVideoOutputFlagDefault));
  return output;
}

IDeckLinkMutableVideoFrame* createFrame(IDeckLinkOutput* output, int32_t width, int32_t height) {
  IDeckLinkMutableVideoFrame* frame = nullptr;
  EXPECT_EQ(kS_OK, output->CreateVideoFrame(width, height, r210RowBytes(width), bmdFormat10BitRGB,
                                            bmdFrameFlagDefault, &frame));
  return frame;
}

IDeckLinkVideoBuffer* bufferOf(IDeckLinkMutableVideoFrame* frame) {
  void* buffer = nullptr;
  EXPECT_EQ(kS_OK, frame->QueryInterface(IID_IDeckLinkVideoBuffer, &buffer));
  return static_cast<IDeckLinkVideoBuffer*>(buffer);
}

IDeckLinkProfileAttributes* attributesOf(IDeckLink* card) {
  void* attributes = nullptr;
  EXPECT_EQ(kS_OK, card->QueryInterface(IID_IDeckLinkProfileAttributes, &attributes));
  return static_cast<IDeckLinkProfileAttributes*>(attributes);
}

IDeckLinkVideoFrameMutableMetadataExtensions* metadataOf(IDeckLinkMutableVideoFrame* frame) {
  void* metadata = nullptr;
  EXPECT_EQ(kS_OK,
            frame->QueryInterface(IID_IDeckLinkVideoFrameMutableMetadataExtensions, &metadata));
  return static_cast<IDeckLinkVideoFrameMutableMetadataExtensions*>(metadata);
}

std::string displayNameOf(IDeckLink* card) {
  DeckLinkString name = nullptr;
  card->GetDisplayName(&name);
  return name != nullptr ? takeDeckLinkString(name) : "(none)";
}

std::vector<std::string> cardNames() {
  std::vector<std::string> names;
  IDeckLinkIterator* iterator = CreateDeckLinkIteratorInstance_0004();
  if (iterator == nullptr) return names;
  for (IDeckLink* card = nullptr; iterator->Next(&card) == kS_OK && card != nullptr;) {
    names.push_back(displayNameOf(card));
    card->Release();
  }
  iterator->Release();
  return names;
}
