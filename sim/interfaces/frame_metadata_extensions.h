// IDeckLinkVideoFrameMutableMetadataExtensions (and the read-only
// interface it derives from): a frame's metadata, set and read by id. The
// frame and every such object obtained from it share one record, which the
// output reads at each display. Integer and floating point values of the
// ids the card knows are kept; flags, strings and bytes are not simulated.
#ifndef DECKLINK_SIM_INTERFACES_FRAME_METADATA_EXTENSIONS_H
#define DECKLINK_SIM_INTERFACES_FRAME_METADATA_EXTENSIONS_H

#include <memory>

#include "accounting/counted_object.h"
#include "capture/frame_metadata.h"
#include "state/sim_state.h"

class SimFrameMetadataExtensions final
    : public SimObject<IDeckLinkVideoFrameMutableMetadataExtensions> {
 public:
  SimFrameMetadataExtensions(std::shared_ptr<CardRuntime> card,
                             std::shared_ptr<FrameMetadata> metadata);

  HRESULT GetInt(BMDDeckLinkFrameMetadataID metadataID, int64_t* value) override;
  HRESULT GetFloat(BMDDeckLinkFrameMetadataID metadataID, double* value) override;
  HRESULT GetFlag(BMDDeckLinkFrameMetadataID metadataID, bool* value) override;
  HRESULT GetString(BMDDeckLinkFrameMetadataID metadataID, DeckLinkString* value) override;
  HRESULT GetBytes(BMDDeckLinkFrameMetadataID metadataID, void* buffer,
                   uint32_t* bufferSize) override;
  HRESULT SetInt(BMDDeckLinkFrameMetadataID metadataID, int64_t value) override;
  HRESULT SetFloat(BMDDeckLinkFrameMetadataID metadataID, double value) override;
  HRESULT SetFlag(BMDDeckLinkFrameMetadataID metadataID, bool value) override;
  HRESULT SetString(BMDDeckLinkFrameMetadataID metadataID, DeckLinkString value) override;
  HRESULT SetBytes(BMDDeckLinkFrameMetadataID metadataID, void* buffer,
                   uint32_t bufferSize) override;

  QueryAnswer answerQuery(SimState& state, const DeckLinkIID& iid) override;

 private:
  // Set and Get share these: the call's log line, the id's kind, and the
  // card's Set faults.
  HRESULT set(const char* method, const MetadataValue& value);
  // Reads into `integer` or `number`, whichever the kind asks for; a null
  // one is E_POINTER.
  HRESULT get(const char* method, uint32_t id, bool isFloat, int64_t* integer, double* number);

  const std::shared_ptr<CardRuntime> card_;
  const std::shared_ptr<FrameMetadata> metadata_;
};

#endif  // DECKLINK_SIM_INTERFACES_FRAME_METADATA_EXTENSIONS_H
