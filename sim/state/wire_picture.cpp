#include "state/wire_picture.h"

#include "interfaces/video_frame.h"
#include "state/sim_state.h"

void putOnWire(SimState& state, CardRuntime& card, const SimVideoFrame& frame) {
  bool listened = false;
  for (const auto& other : state.cards) listened |= other->setup.input.cableFrom == card.position;
  if (!listened || frame.pixels() == nullptr) return;
  auto picture = std::make_shared<WirePicture>();
  picture->mode = card.mode;
  picture->width = frame.shape().width;
  picture->height = frame.shape().height;
  picture->rowBytes = frame.shape().rowBytes;
  const unsigned char* data = frame.pixels()->data;
  picture->pixels.assign(data, data + frame.pixels()->size);
  picture->metadata = frame.metadata();
  card.wire = std::move(picture);
}
