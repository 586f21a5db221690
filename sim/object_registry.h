// Every object the simulated card ever handed out, and the count of those
// still referenced in the current configure generation.
#ifndef DECKLINK_SIM_OBJECT_REGISTRY_H
#define DECKLINK_SIM_OBJECT_REGISTRY_H

#include <cstdint>
#include <string>
#include <vector>

#include "counted_object.h"

class ObjectRegistry {
 public:
  // Gives `object` the next id and a count of 1.
  void adopt(CountedObject* object, uint64_t epoch);
  // The object's count has reached zero.
  void noteReleased(const CountedObject& object, uint64_t epoch);
  // A configure: objects handed out before stay valid but are no longer counted.
  void startEpoch() { live_ = 0; }

  long live() const { return live_; }
  // "Frame#5 never released (count 1)\n" for each live object of `epoch`.
  std::string liveReport(uint64_t epoch) const;

 private:
  std::vector<CountedObject*> all_;  // owns them all, zombies included
  uint64_t nextId_ = 1;
  long live_ = 0;
};

#endif  // DECKLINK_SIM_OBJECT_REGISTRY_H
