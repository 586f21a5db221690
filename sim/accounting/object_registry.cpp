#include "accounting/object_registry.h"

void ObjectRegistry::adopt(CountedObject* object, uint64_t epoch) {
  object->adopt(nextId_++, epoch);
  all_[object->id()] = object;
  ++live_;
}

std::vector<CountedObject*> ObjectRegistry::noteReleased(CountedObject& object,
                                                         uint64_t epoch) {
  if (object.epoch() == epoch) --live_;
  released_.push_back(&object);
  std::vector<CountedObject*> retired;
  while (released_.size() > kKeptReleased) {
    CountedObject* oldest = released_.front();
    released_.pop_front();
    all_.erase(oldest->id());
    retired.push_back(oldest);
  }
  return retired;
}

std::string ObjectRegistry::liveReport(uint64_t epoch) const {
  std::string report;
  for (const auto& [id, object] : all_) {
    if (object->epoch() != epoch || object->released()) continue;
    report += object->label() + " never released (count " + std::to_string(object->count()) +
              ")\n";
  }
  return report;
}
