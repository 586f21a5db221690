#include "object_registry.h"

void ObjectRegistry::adopt(CountedObject* object, uint64_t epoch) {
  object->adopt(nextId_++, epoch);
  all_.push_back(object);
  ++live_;
}

void ObjectRegistry::noteReleased(const CountedObject& object, uint64_t epoch) {
  if (object.epoch() == epoch) --live_;
}

std::string ObjectRegistry::liveReport(uint64_t epoch) const {
  std::string report;
  for (const CountedObject* object : all_) {
    if (object->epoch() != epoch || object->released()) continue;
    report += object->label() + " never released (count " + std::to_string(object->count()) +
              ")\n";
  }
  return report;
}
