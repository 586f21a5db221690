// Every object the simulated card ever handed out, and the count of those
// still referenced in the current configure generation.
#ifndef DECKLINK_SIM_ACCOUNTING_OBJECT_REGISTRY_H
#define DECKLINK_SIM_ACCOUNTING_OBJECT_REGISTRY_H

#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "accounting/counted_object.h"

class ObjectRegistry {
 public:
  // Gives `object` the next id and a count of 1.
  void adopt(CountedObject* object, uint64_t epoch);
  // The object's count has reached zero. It stays as a zombie, so that a
  // late Release or call on it is caught without touching freed memory, until
  // kKeptReleased objects have been released after it; then the registry
  // lets go of it and returns it for the caller to forget and delete. A
  // long session thus keeps a bounded number of zombies.
  std::vector<CountedObject*> noteReleased(CountedObject& object, uint64_t epoch);

  static constexpr size_t kKeptReleased = 4096;
  // A configure: objects handed out before stay valid but are no longer counted.
  void startEpoch() { live_ = 0; }

  long live() const { return live_; }
  // "Frame#5 never released (count 1)\n" for each live object of `epoch`.
  std::string liveReport(uint64_t epoch) const;

 private:
  std::map<uint64_t, CountedObject*> all_;  // by id: owns them, zombies included
  std::deque<CountedObject*> released_;     // the zombies, oldest first
  uint64_t nextId_ = 1;
  long live_ = 0;
};

#endif  // DECKLINK_SIM_ACCOUNTING_OBJECT_REGISTRY_H
