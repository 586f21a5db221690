#include "counted_object.h"

std::string CountedObject::label() const { return std::string(kind_) + "#" + std::to_string(id_); }

std::string CountedObject::finalRelease(SimState&) { return std::string(); }
